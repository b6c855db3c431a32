#include "support/lp_text_program.h"

#include <stdexcept>
#include <string>

#include "support/inequality.h"

namespace paralog::testutil {
namespace {

// Registers every variable named in `text` in the order of appearance, so
// that indices follow the file's order even where a line is not sorted.
void registerNames(std::string_view text, LinearProgram& program) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view token = text.substr(start, end - start);
    if (!token.empty() && token.front() >= 'a' && token.front() <= 'z') {
      program.addVariable(token);
    }
    start = end + 1;
  }
}

Relation relationOf(std::string_view relation) {
  if (relation == "<=") return Relation::kLessEqual;
  if (relation == ">=") return Relation::kGreaterEqual;
  return Relation::kEqual;
}

[[noreturn]] void unexpected(size_t lineNumber, std::string_view line) {
  throw std::runtime_error("LP text line " + std::to_string(lineNumber) + " is not understood: \"" +
                           std::string(line.substr(0, 200)) + "\"");
}

void addBound(std::string_view line, LinearProgram& program, size_t lineNumber) {
  const Inequality bound = parseInequality(line);
  if (bound.terms.size() != 1 || bound.terms.front().coefficient != 1 || bound.relation == "=") {
    unexpected(lineNumber, line);
  }
  ProgramVariable& variable = program.variables()[program.addVariable(bound.terms.front().name)];
  if (bound.relation == ">=") {
    variable.lower = bound.rhs;
    variable.lowerText = std::string(line);
  } else {
    variable.upper = bound.rhs;
    variable.upperText = std::string(line);
  }
}

void declare(std::string_view name, VariableKind kind, LinearProgram& program) {
  ProgramVariable& variable = program.variables()[program.addVariable(name)];
  variable.kind = kind;
  if (kind == VariableKind::kBinary) {
    variable.lower = 0;
    variable.upper = 1;
  }
}

}  // namespace

LinearProgram linearProgramFromLpText(std::string_view lpText) {
  LinearProgram program;
  std::string_view section;
  Inequality row;
  size_t lineNumber = 0;
  size_t start = 0;
  while (start < lpText.size()) {
    size_t end = lpText.find('\n', start);
    if (end == std::string_view::npos) end = lpText.size();
    const std::string_view raw = lpText.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (raw.empty()) continue;
    if (raw.front() != '\t') {
      section = raw;
      if (section == "End") break;
      continue;
    }
    const std::string_view line = raw.substr(1);
    if (section == "Minimize") {
      registerNames(line, program);
      for (const Term& term : parseExpression(line)) {
        program.variables()[program.find(term.name)].objective += term.coefficient;
      }
    } else if (section == "Subject To") {
      registerNames(line, program);
      parseInequality(line, row);
      ProgramRow& added = program.rows().emplace_back();
      added.terms.reserve(row.terms.size());
      for (const Term& term : row.terms) {
        added.terms.emplace_back(program.find(term.name), term.coefficient);
      }
      added.relation = relationOf(row.relation);
      added.rhs = row.rhs;
    } else if (section == "Bounds") {
      addBound(line, program, lineNumber);
    } else if (section == "Binary") {
      declare(line, VariableKind::kBinary, program);
    } else if (section == "General") {
      declare(line, VariableKind::kGeneral, program);
    } else {
      unexpected(lineNumber, raw);
    }
  }
  return program;
}

}  // namespace paralog::testutil
