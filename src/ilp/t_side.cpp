#include "ilp/t_side.h"

#include <algorithm>
#include <stdexcept>

#include "common/decimal.h"

namespace paralog {

TSide::TSide(const Structure& own, const Structure& other, int32_t k,
             GeneMatchSumBuilder matchSum, VariablesStorage& storage)
    : own_(own),
      other_(other),
      k_(k),
      matchSum_(matchSum),
      storage_(storage),
      extremities_(structureExtremities(own)),
      keys_(extremityKeys(extremities_)),
      pairs_(structureExtremityPairs(own)),
      tNames_(&storage.tPairNames(k, pairs_.keys)) {
  locateExtremities();
  buildPlusSums();
  buildMinusSums();
}

size_t TSide::distinctPosition(std::string_view key) const {
  const std::vector<std::string>& sorted = pairs_.keys;
  const auto it = std::lower_bound(sorted.begin(), sorted.end(), key,
                                   [](const std::string& a, std::string_view b) { return a < b; });
  if (it == sorted.end() || *it != key) {
    throw std::logic_error("gene end " + std::string(key) + " of structure " + own_.name +
                           " is missing from its copy list");
  }
  return static_cast<size_t>(it - sorted.begin());
}

void TSide::locateExtremities() {
  distinctOf_.resize(keys_.size());
  multiplicity_.assign(pairs_.sorted.size(), 0);
  for (size_t position = 0; position < keys_.size(); ++position) {
    distinctOf_[position] = distinctPosition(keys_[position]);
    ++multiplicity_[distinctOf_[position]];
  }
  std::string key;
  geneEnds_.resize(own_.chromosomes.size());
  for (size_t c = 0; c < own_.chromosomes.size(); ++c) {
    const std::vector<Gene>& genes = own_.chromosomes[c].genes;
    geneEnds_[c].resize(genes.size());
    for (size_t g = 0; g < genes.size(); ++g) {
      for (size_t e = 0; e < 2; ++e) {
        key.clear();
        appendExtremityKey(Extremity{genes[g].name, genes[g].index, kEndLabels[e]}, key);
        geneEnds_[c][g][e] = distinctPosition(key);
      }
    }
  }
}

void TSide::buildPlusSums() {
  // Both ends of a copy share its sum: the end met second reuses the list
  // built for the first.
  const size_t count = pairs_.sorted.size();
  constexpr size_t kNone = static_cast<size_t>(-1);
  plusOf_.assign(count, kNone);
  std::string siblingKey;
  for (size_t d = 0; d < count; ++d) {
    siblingKey = pairs_.keys[d];
    siblingKey.back() = siblingKey.back() == 't' ? 'h' : 't';
    const size_t sibling = distinctPosition(siblingKey);
    if (plusOf_[sibling] != kNone) {
      plusOf_[d] = plusOf_[sibling];
      continue;
    }
    plusOf_[d] = plusSums_.size();
    TermList& sum = plusSums_.emplace_back();
    const Extremity& extremity = pairs_.sorted[d];
    matchSum_(extremity.name, extremity.index, other_, storage_, 1, sum);
    makeCanonical(sum);
  }
}

void TSide::buildMinusSums() {
  minusSums_.resize(own_.chromosomes.size());
  for (size_t c = 0; c < own_.chromosomes.size(); ++c) {
    const Chromosome& chromosome = own_.chromosomes[c];
    if (!chromosome.circular) continue;
    TermList& sum = minusSums_[c];
    for (const Gene& gene : chromosome.genes) {
      matchSum_(gene.name, gene.index, other_, storage_, -1, sum);
    }
    makeCanonical(sum);
  }
}

void TSide::appendTSum(size_t distinct, TermList& out, int32_t scale) const {
  for (size_t other = 0; other < pairs_.sorted.size(); ++other) {
    if (other == distinct) continue;
    const int64_t coefficient = int64_t{scale} * static_cast<int64_t>(multiplicity_[other]);
    if (coefficient > INT32_MAX) {
      throw std::runtime_error("Provided expression is invalid inequality");
    }
    out.emplace_back(tNames_->use(distinct, other), static_cast<int32_t>(coefficient));
  }
}

}  // namespace paralog
