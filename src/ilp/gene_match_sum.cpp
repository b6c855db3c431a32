#include "ilp/gene_match_sum.h"

#include <stdexcept>
#include <string>

namespace paralog {
namespace {

const std::vector<int32_t>& partnersOf(std::string_view name, const Structure& other) {
  const auto it = other.copies.find(name);
  if (it == other.copies.end()) {
    throw std::out_of_range("gene " + std::string(name) + " has no copy in structure " +
                            other.name);
  }
  return it->second;
}

template <bool kIndexIsFirst>
void appendMatchSum(std::string_view name, int32_t index, const Structure& other,
                    VariablesStorage& storage, int32_t coefficient, TermList& out) {
  for (int32_t partner : partnersOf(name, other)) {
    out.emplace_back(kIndexIsFirst ? storage.zVariable(name, index, partner)
                                   : storage.zVariable(name, partner, index),
                     coefficient);
  }
}

}  // namespace

void firstGeneMatchSum(std::string_view name, int32_t index, const Structure& other,
                       VariablesStorage& storage, int32_t coefficient, TermList& out) {
  appendMatchSum<true>(name, index, other, storage, coefficient, out);
}

void secondGeneMatchSum(std::string_view name, int32_t index, const Structure& other,
                        VariablesStorage& storage, int32_t coefficient, TermList& out) {
  appendMatchSum<false>(name, index, other, storage, coefficient, out);
}

}  // namespace paralog
