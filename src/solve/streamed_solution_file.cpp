#include "solve/streamed_solution_file.h"

#include <map>
#include <string>

namespace paralog {

StreamedSolutionFile::StreamedSolutionFile(ByteSink& sink, const NamedValues& values,
                                           SolutionStatus status)
    : sink_(sink), values_(values), status_(status) {}

void StreamedSolutionFile::objective(const TermList& terms) {
  std::map<std::string_view, double> costs;
  double value = 0;
  for (const Term& term : terms) {
    costs[term.name] += term.coefficient;
    value += term.coefficient * values_.valueOf(term.name);
  }
  for (const auto& [name, cost] : costs) costs_.set(name, cost);
  writer_.emplace(sink_, status_, value);
}

void StreamedSolutionFile::declare(VariableKind, std::string_view name) {
  writer_->add(name, values_.valueOf(name), costs_.valueOf(name));
}

}  // namespace paralog
