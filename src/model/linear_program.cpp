#include "model/linear_program.h"

namespace paralog {

int32_t LinearProgram::addVariable(std::string_view name) {
  std::string key(name);
  const auto found = indexByName_.find(key);
  if (found != indexByName_.end()) return found->second;
  const auto index = static_cast<int32_t>(variables_.size());
  ProgramVariable variable;
  variable.name = key;
  variable.family = variableFamily(key);
  if (variable.family == VariableFamily::kZ) {
    if (const auto z = readZName(key)) {
      zVariables_.push_back({index, std::string(z->gene), z->first, z->second});
    } else {
      variable.family = VariableFamily::kOther;
    }
  }
  variables_.push_back(std::move(variable));
  indexByName_.emplace(std::move(key), index);
  return index;
}

int32_t LinearProgram::find(std::string_view name) const {
  const auto found = indexByName_.find(std::string(name));
  return found == indexByName_.end() ? -1 : found->second;
}

std::string rowText(const LinearProgram& program, const ProgramRow& row) {
  TermList terms;
  terms.reserve(row.terms.size());
  for (const auto& [index, coefficient] : row.terms) {
    terms.emplace_back(program.variables()[index].name, static_cast<int32_t>(coefficient));
  }
  std::string text;
  renderRow(terms, row.relation, static_cast<int32_t>(row.rhs), text);
  return text;
}

}  // namespace paralog
