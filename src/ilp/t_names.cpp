#include "ilp/t_names.h"

#include <stdexcept>

#include "ilp/extremities.h"

namespace paralog {

TNames::TNames(const Structure& own, int32_t k, VariablesStorage& storage)
    : k_(k), storage_(storage), block_(&storage.tPairNames(k, structureExtremityPairs(own).keys)) {}

size_t TNames::position(std::string_view key) const {
  const int64_t found = block_->position(key);
  if (found < 0) {
    throw std::logic_error("internal error: " + std::string(key) + " is not a gene end of the structure");
  }
  return static_cast<size_t>(found);
}

}  // namespace paralog
