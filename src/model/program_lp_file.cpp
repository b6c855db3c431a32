#include "model/program_lp_file.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <unordered_map>
#include <utility>

#include "lp/portable_line.h"

namespace paralog {
namespace {

using Terms = std::vector<std::pair<int32_t, double>>;

// The objective's terms as written: the variables with a coefficient, or
// a zero term of the first variable when none has one.
Terms objectiveTerms(const LinearProgram& program) {
  Terms terms;
  for (size_t i = 0; i < program.variables().size(); ++i) {
    if (program.variables()[i].objective != 0) terms.emplace_back(static_cast<int32_t>(i), program.variables()[i].objective);
  }
  if (terms.empty()) terms.emplace_back(0, 0.0);
  return terms;
}

// A row's terms with each variable once, where it first stood; a row left
// without terms keeps a zero term of its first variable.
Terms mergedTerms(const ProgramRow& row) {
  Terms terms;
  std::unordered_map<int32_t, size_t> position;
  for (const auto& [index, coefficient] : row.terms) {
    const auto [at, added] = position.emplace(index, terms.size());
    if (added) terms.emplace_back(index, coefficient);
    else terms[at->second].second += coefficient;
  }
  Terms kept;
  for (const auto& term : terms) {
    if (term.second != 0) kept.push_back(term);
  }
  if (kept.empty() && !row.terms.empty()) kept.emplace_back(row.terms.front().first, 0.0);
  return kept;
}

bool defaultRange(const ProgramVariable& variable) {
  if (variable.kind == VariableKind::kBinary) return true;
  return variable.lower == 0 && std::isinf(variable.upper);
}

void appendNumber(std::string& out, double value) {
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

// " + 2 name", " - name"; the first term without a sign when positive.
void appendTerm(std::string& out, double coefficient, const std::string& name, bool first) {
  if (coefficient < 0) out += first ? "- " : " - ";
  else if (!first) out += " + ";
  const double size = std::fabs(coefficient);
  if (size != 1) {
    appendNumber(out, size);
    out += ' ';
  }
  out += name;
}

std::string termsLine(const LinearProgram& program, const Terms& terms) {
  std::string line = "\t";
  for (size_t i = 0; i < terms.size(); ++i) {
    appendTerm(line, terms[i].second, program.variables()[terms[i].first].name, i == 0);
  }
  return line;
}

// Whether a variable needs a line under "Bounds": a range of its own, or
// no other place in the file that names it.
bool needsBoundLine(const ProgramVariable& variable, bool named) {
  return !defaultRange(variable) || (!named && variable.kind == VariableKind::kContinuous);
}

// The "Bounds" section, when a variable needs a line there.
void appendBounds(const LinearProgram& program, std::string& text) {
  // Every variable before the bounds stands in the objective or a row.
  std::vector<bool> named(program.variables().size(), false);
  for (const auto& term : objectiveTerms(program)) named[term.first] = true;
  for (const ProgramRow& row : program.rows()) {
    for (const auto& term : row.terms) named[term.first] = true;
  }
  std::string lines;
  for (size_t i = 0; i < program.variables().size(); ++i) {
    const ProgramVariable& variable = program.variables()[i];
    if (!needsBoundLine(variable, named[i])) continue;
    lines += '\t';
    if (variable.lower != 0) {
      appendNumber(lines, variable.lower);
      lines += " <= ";
    }
    lines += variable.name;
    if (std::isinf(variable.upper)) {
      if (variable.lower == 0) lines += " >= 0";
    } else {
      lines += " <= ";
      appendNumber(lines, variable.upper);
    }
    lines += '\n';
  }
  if (!lines.empty()) text += "\nBounds\n" + lines;
}

}  // namespace

LinearProgram inWrittenOrder(const LinearProgram& program, const std::vector<std::string>& names) {
  const size_t count = program.variables().size();
  std::vector<int32_t> newIndex(count, -1);
  std::vector<int32_t> order;
  auto meet = [&](int32_t index) {
    if (newIndex[index] < 0) {
      newIndex[index] = static_cast<int32_t>(order.size());
      order.push_back(index);
    }
  };
  if (count > 0) {
    for (const auto& term : objectiveTerms(program)) meet(term.first);
  }
  std::vector<Terms> rows;
  for (const ProgramRow& row : program.rows()) {
    rows.push_back(mergedTerms(row));
    for (const auto& term : rows.back()) meet(term.first);
  }
  for (size_t i = 0; i < count; ++i) {
    if (needsBoundLine(program.variables()[i], newIndex[i] >= 0)) meet(static_cast<int32_t>(i));
  }
  for (VariableKind kind : {VariableKind::kBinary, VariableKind::kGeneral}) {
    for (size_t i = 0; i < count; ++i) {
      if (program.variables()[i].kind == kind) meet(static_cast<int32_t>(i));
    }
  }
  LinearProgram written;
  for (int32_t old : order) {
    const int32_t index = written.addVariable(names[old]);
    ProgramVariable variable = program.variables()[old];
    variable.name = names[old];
    variable.family = written.variables()[index].family;
    written.variables()[index] = std::move(variable);
  }
  for (size_t r = 0; r < rows.size(); ++r) {
    ProgramRow row;
    for (const auto& [index, coefficient] : rows[r]) row.terms.emplace_back(newIndex[index], coefficient);
    row.relation = program.rows()[r].relation;
    row.rhs = program.rows()[r].rhs;
    written.rows().push_back(std::move(row));
  }
  return written;
}

std::string rowLine(const LinearProgram& program, const ProgramRow& row) {
  std::string line = termsLine(program, row.terms).substr(1);
  line += ' ';
  line += relationText(row.relation);
  line += ' ';
  appendNumber(line, row.rhs);
  return line;
}

void writeProgramLp(const LinearProgram& program, ByteSink& out) {
  if (program.variables().empty()) throw std::logic_error("an LP file of a program without variables");
  std::string text = "Minimize\n";
  appendWrappedLine(termsLine(program, objectiveTerms(program)), text);
  text += "\nSubject To\n";
  for (const ProgramRow& row : program.rows()) {
    appendWrappedLine("\t" + rowLine(program, row), text);
    if (text.size() > (1u << 20)) {
      out.write(text);
      text.clear();
    }
  }
  appendBounds(program, text);
  for (const auto& [kind, heading] : {std::make_pair(VariableKind::kBinary, "\nBinary\n"),
                                      std::make_pair(VariableKind::kGeneral, "\nGeneral\n")}) {
    std::string lines;
    for (const ProgramVariable& variable : program.variables()) {
      if (variable.kind == kind) lines += "\t" + variable.name + "\n";
    }
    if (!lines.empty()) text += heading + lines;
  }
  text += "\nEnd\n";
  out.write(text);
}

}  // namespace paralog
