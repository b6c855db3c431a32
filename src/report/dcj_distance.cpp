#include "report/dcj_distance.h"

#include <string_view>
#include <unordered_map>
#include <utility>

namespace paralog {
namespace {

// A copy (gene name, copy index) as a hash key.
struct CopyKey {
  std::string_view gene;
  int32_t index;
  bool operator==(const CopyKey& other) const { return index == other.index && gene == other.gene; }
};

struct CopyKeyHash {
  size_t operator()(const CopyKey& key) const {
    return std::hash<std::string_view>()(key.gene) * 31 + std::hash<int32_t>()(key.index);
  }
};

using PairOfCopy = std::unordered_map<CopyKey, int32_t, CopyKeyHash>;

// The ends a signed gene shows first and last when read along its chromosome.
int32_t leftEnd(int32_t gene, int32_t sign) { return sign > 0 ? 2 * gene : 2 * gene + 1; }
int32_t rightEnd(int32_t gene, int32_t sign) { return sign > 0 ? 2 * gene + 1 : 2 * gene; }

SingleCopyGenome restrictOne(const Structure& structure, const PairOfCopy& pairOfCopy, size_t genes) {
  SingleCopyGenome genome;
  genome.mate.assign(2 * genes, -1);
  std::vector<bool> placed(genes, false);
  std::vector<std::pair<int32_t, int32_t>> kept;  // gene, sign
  for (const Chromosome& chromosome : structure.chromosomes) {
    kept.clear();
    for (const Gene& gene : chromosome.genes) {
      const auto pair = pairOfCopy.find(CopyKey{gene.name, gene.index});
      if (pair == pairOfCopy.end() || placed[pair->second]) continue;
      placed[pair->second] = true;
      kept.emplace_back(pair->second, gene.sign);
    }
    if (kept.empty()) continue;
    const size_t adjacencies = chromosome.circular ? kept.size() : kept.size() - 1;
    for (size_t i = 0; i < adjacencies; ++i) {
      const auto& [gene, sign] = kept[i];
      const auto& [nextGene, nextSign] = kept[(i + 1) % kept.size()];
      const int32_t right = rightEnd(gene, sign);
      const int32_t left = leftEnd(nextGene, nextSign);
      genome.mate[right] = left;
      genome.mate[left] = right;
    }
  }
  return genome;
}

// Follows the component of the adjacency graph that holds `end`: each gene
// end is an edge between the vertex (adjacency or chromosome end) of genome
// `across` holding it and that of the other genome. Starting across
// `across`, marks every end met and returns the genome whose chromosome end
// closes the walk, or -1 when it came back to `end` (a cycle).
int walkFrom(int32_t end, int across, const SingleCopyGenome* const genomes[2], std::vector<bool>& seen) {
  int32_t at = end;
  for (;;) {
    seen[at] = true;
    const int32_t next = genomes[across]->mate[at];
    if (next < 0) return across;
    if (next == end) return -1;
    at = next;
    across = 1 - across;
  }
}

}  // namespace

DcjCounts dcjCounts(const SingleCopyGenome& a, const SingleCopyGenome& b) {
  const SingleCopyGenome* const genomes[2] = {&a, &b};
  DcjCounts counts;
  counts.genes = a.mate.size() / 2;
  std::vector<bool> seen(a.mate.size(), false);
  // Paths: from every chromosome end of either genome not met yet. A walk
  // from an end of genome g starts across the other genome.
  for (int genome = 0; genome < 2; ++genome) {
    for (size_t end = 0; end < seen.size(); ++end) {
      if (seen[end] || genomes[genome]->mate[end] >= 0) continue;
      const int closer = walkFrom(static_cast<int32_t>(end), 1 - genome, genomes, seen);
      if (closer != genome) ++counts.oddPaths;
    }
  }
  // What is left lies on cycles.
  for (size_t end = 0; end < seen.size(); ++end) {
    if (seen[end]) continue;
    walkFrom(static_cast<int32_t>(end), 0, genomes, seen);
    ++counts.cycles;
  }
  return counts;
}

std::vector<SingleCopyGenome> restrictToMatched(const Structure& first, const Structure& second,
                                                const std::vector<MatchedCopyPair>& pairs) {
  PairOfCopy ofFirst, ofSecond;
  ofFirst.reserve(pairs.size());
  ofSecond.reserve(pairs.size());
  for (size_t p = 0; p < pairs.size(); ++p) {
    ofFirst.emplace(CopyKey{pairs[p].gene, pairs[p].first}, static_cast<int32_t>(p));
    ofSecond.emplace(CopyKey{pairs[p].gene, pairs[p].second}, static_cast<int32_t>(p));
  }
  return {restrictOne(first, ofFirst, pairs.size()), restrictOne(second, ofSecond, pairs.size())};
}

size_t matchedDcjDistance(const Structure& first, const Structure& second,
                          const std::vector<MatchedCopyPair>& pairs) {
  const std::vector<SingleCopyGenome> restricted = restrictToMatched(first, second, pairs);
  return dcjCounts(restricted[0], restricted[1]).distance();
}

}  // namespace paralog
