#include "ilp/gene_match_sum.h"

#include <vector>

namespace paralog {
namespace {

// A gene that `other` lacks (kept with --keep-unshared) has no partner:
// its copies have no z variable, as if every one of them were 0.
const std::vector<int32_t>& partnersOf(std::string_view name, const Structure& other) {
  static const std::vector<int32_t> kNoPartner;
  const auto it = other.copies.find(name);
  return it == other.copies.end() ? kNoPartner : it->second;
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
