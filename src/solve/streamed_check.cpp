#include "solve/streamed_check.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

#include "lp/row.h"
#include "model/linear_program_builder.h"
#include "model/linear_program.h"
#include "solve/stoppable_consumer.h"
#include "solver/solution_check.h"

namespace paralog {
namespace {

bool isLowerBoundLine(Section section, TermSpan terms, Relation relation) {
  return section == Section::kBounds && terms.size() == 1 && terms.begin()->coefficient == 1 &&
         relation == Relation::kGreaterEqual;
}

}  // namespace

StreamedSolutionCheck::StreamedSolutionCheck(const NamedValues& values)
    : values_(values), declared_(values.size(), false) {}

double StreamedSolutionCheck::activity(TermSpan terms) const {
  double sum = 0;
  for (const Term& term : terms) sum += term.coefficient * values_.valueOf(term.name);
  return sum;
}

void StreamedSolutionCheck::objective(const TermList& terms) { objective_ = activity(terms); }

double StreamedSolutionCheck::rowTermValue(std::string_view name) {
  RememberedValue& slot = remembered_[(reinterpret_cast<uintptr_t>(name.data()) >> 3) % kRemembered];
  if (slot.data != name.data() || slot.size != name.size()) {
    slot = RememberedValue{name.data(), name.size(), values_.valueOf(name)};
  }
  return slot.value;
}

void StreamedSolutionCheck::row(Section section, TermSpan terms, Relation relation, int32_t rhs) {
  double sum = 0;
  for (const Term& term : terms) sum += term.coefficient * rowTermValue(term.name);
  if (!rowHolds(relation, sum, rhs)) breakRow(section, terms, relation, rhs, sum);
  if (isLowerBoundLine(section, terms, relation) && sum < 0) {
    negativeWithLowerLine_.emplace(terms.begin()->name);
  }
}

void StreamedSolutionCheck::breakRow(Section section, TermSpan terms, Relation relation,
                                     int32_t rhs, double activity) {
  ++breaks_;
  const bool isBound = section == Section::kBounds && terms.size() == 1;
  if (isBound) boundBroken_.emplace(terms.begin()->name);
  std::string& first = section == Section::kSubjectTo ? firstRowBreak_ : firstOtherBreak_;
  if (!first.empty()) return;
  std::string text;
  renderRow(terms, relation, rhs, text);
  first = isBound ? boundBreak(text, terms.begin()->name, activity) : rowBreak(text, activity);
}

void StreamedSolutionCheck::declare(VariableKind kind, std::string_view name) {
  const int64_t entry = values_.find(name);
  const double value = entry < 0 ? 0.0 : values_.value(static_cast<size_t>(entry));
  if (entry >= 0) declared_[static_cast<size_t>(entry)] = true;
  const bool inRange = value >= -kSolutionTolerance &&
                       (kind == VariableKind::kGeneral || value <= 1 + kSolutionTolerance);
  if (inRange && std::fabs(value - std::round(value)) <= kSolutionTolerance) return;
  // Rare: build the variable as the in-memory check sees it.
  const std::string ownName(name);
  if (boundBroken_.count(ownName) != 0) return;
  ProgramVariable variable;
  variable.name = ownName;
  variable.kind = kind;
  if (kind == VariableKind::kBinary) variable.upper = 1;
  // A bound line checked the lower end already.
  if (negativeWithLowerLine_.count(ownName) != 0) {
    variable.lower = -std::numeric_limits<double>::infinity();
  }
  const std::string broken = variableBreak(variable, value);
  if (broken.empty()) return;
  ++breaks_;
  if (firstOtherBreak_.empty()) firstOtherBreak_ = broken;
}

void StreamedSolutionCheck::end() { ended_ = true; }

bool StreamedSolutionCheck::holds() const {
  return ended_ && breaks_ == 0 && std::find(declared_.begin(), declared_.end(), false) == declared_.end();
}

void StreamedSolutionCheck::require(const std::string& source,
                                    std::optional<double> reportedObjective) const {
  if (!ended_) throw std::logic_error("internal error: the check read before the program ended");
  for (size_t entry = 0; entry < declared_.size(); ++entry) {
    if (!declared_[entry]) {
      throw std::runtime_error(source + ": a value is given for \"" +
                               std::string(values_.name(entry)) +
                               "\", which is no variable of the program");
    }
  }
  if (breaks_ > 0) {
    throw std::runtime_error(brokenSolutionMessage(
        source, breaks_, firstRowBreak_.empty() ? firstOtherBreak_ : firstRowBreak_));
  }
  if (reportedObjective) requireReportedObjective(objective_, *reportedObjective, source);
}

double requireValidAssignment(const Structure& first, const Structure& second,
                              const NamedValues& values, const std::string& source,
                              const ProgressReport& progress, ProgramConsumer* alongside,
                              LpFile file, const ProgramOptions& options, const SolveControl* stop) {
  // One pass of the generators into `consumer`, through a consumer that
  // looks at `stop` when there is one.
  auto pass = [&](ProgramConsumer& consumer, const ProgressReport& lines, const ProgramOptions& chosen) {
    if (stop == nullptr) return buildProgram(first, second, consumer, lines, RowThreads::kSecondThread, file, chosen);
    StoppableConsumer stoppable(consumer, *stop);
    buildProgram(first, second, stoppable, lines, RowThreads::kSecondThread, file, chosen);
  };
  if (alongside == nullptr) {
    // Nothing else takes the program: only the t names that have a value
    // are spelled, the rest share a stand-in at zero, and the quadratic
    // family of names takes no memory. Only a broken check is run again
    // with every name, for a message that names the broken row's variables.
    std::vector<std::string_view> named;
    for (size_t entry = 0; entry < values.size(); ++entry) named.push_back(values.name(entry));
    ProgramOptions sparse = options;
    sparse.spelledTNames = &named;
    StreamedSolutionCheck check(values);
    pass(check, progress, sparse);
    if (check.holds()) return check.objectiveValue();
    StreamedSolutionCheck again(values);
    pass(again, [](std::string_view) {}, options);
    again.require(source, std::nullopt);
    throw std::logic_error("internal error: " + source + " breaks the program only with some t names left out");
  }
  StreamedSolutionCheck check(values);
  // The progress lines stay those of a run that writes the program.
  ProgramTee both(check, *alongside);
  pass(both, progress, options);
  check.require(source, std::nullopt);
  return check.objectiveValue();
}

}  // namespace paralog
