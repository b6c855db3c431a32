// A random matching of two genomes' copies, for the property tests.
#ifndef PARALOG_TESTS_SUPPORT_RANDOM_MATCHING_H
#define PARALOG_TESTS_SUPPORT_RANDOM_MATCHING_H

#include <cstdint>
#include <random>
#include <vector>

#include "matching/genome_pair_graph.h"

namespace paralog::testutil {

/// Every copy of the first genome, in turn, matched with an unmatched copy
/// of its gene in the second, or with none, with equal chances.
inline std::vector<CopyPair> randomMatching(std::mt19937_64& random, const GenomePairGraph& graph) {
  std::vector<CopyPair> matching;
  std::vector<bool> used(graph.copies(1).size(), false);
  for (uint32_t c = 0; c < graph.copies(0).size(); ++c) {
    std::vector<uint32_t> free;
    for (const uint32_t other : graph.copiesOfGene(1, graph.copies(0)[c].gene)) {
      if (!used[other]) free.push_back(other);
    }
    const auto pick = static_cast<uint32_t>(random() % (free.size() + 1));
    if (pick == free.size()) continue;
    used[free[pick]] = true;
    matching.push_back(CopyPair{c, free[pick]});
  }
  return matching;
}

}  // namespace paralog::testutil

#endif  // PARALOG_TESTS_SUPPORT_RANDOM_MATCHING_H
