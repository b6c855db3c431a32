#ifndef PARALOG_TESTS_SUPPORT_EVERY_MATCHING_H
#define PARALOG_TESTS_SUPPORT_EVERY_MATCHING_H

// The brute force of the optimum tests: every matching of a genome pair's
// copies, each copy matched at most once and only with a copy of its gene.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "matching/genome_pair_graph.h"

namespace paralog::testutil {

/// Calls `visit` with every matching of the graph's copies (the vector
/// lives only for the call).
inline void forEachMatching(const GenomePairGraph& graph,
                            const std::function<void(const std::vector<CopyPair>&)>& visit) {
  std::vector<CopyPair> matching;
  std::vector<bool> used(graph.copies(1).size(), false);
  std::function<void(uint32_t)> extend = [&](uint32_t c) {
    if (c == graph.copies(0).size()) return visit(matching);
    extend(c + 1);
    for (const uint32_t other : graph.copiesOfGene(1, graph.copies(0)[c].gene)) {
      if (used[other]) continue;
      used[other] = true;
      matching.push_back(CopyPair{c, other});
      extend(c + 1);
      matching.pop_back();
      used[other] = false;
    }
  };
  extend(0);
}

/// True when every gene matches as many pairs as its rarer side has copies
/// (what --match-all asks of a matching).
inline bool matchesEveryFamily(const GenomePairGraph& graph, const std::vector<CopyPair>& matching) {
  std::map<uint32_t, size_t> matched;
  for (const CopyPair& pair : matching) ++matched[graph.copies(0)[pair.first].gene];
  for (const GraphCopy& copy : graph.copies(0)) {
    const size_t rarer = std::min(graph.copiesOfGene(0, copy.gene).size(), graph.copiesOfGene(1, copy.gene).size());
    if (matched[copy.gene] != rarer) return false;
  }
  return true;
}

}  // namespace paralog::testutil

#endif  // PARALOG_TESTS_SUPPORT_EVERY_MATCHING_H
