#include "model/linear_program.h"

namespace paralog {

int32_t LinearProgram::addVariable(std::string_view name) {
  std::string key(name);
  const auto found = indexByName_.find(key);
  if (found != indexByName_.end()) return found->second;
  const auto index = static_cast<int32_t>(variables_.size());
  ProgramVariable variable;
  variable.name = key;
  variables_.push_back(std::move(variable));
  indexByName_.emplace(std::move(key), index);
  return index;
}

int32_t LinearProgram::find(std::string_view name) const {
  const auto found = indexByName_.find(std::string(name));
  return found == indexByName_.end() ? -1 : found->second;
}

}  // namespace paralog
