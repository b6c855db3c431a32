#include "compact/warm_start.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <tuple>
#include <vector>

#include "compact/incremental_score.h"
#include "compact/pair_moves.h"

namespace paralog::compact {
namespace {

// The gene and end that face extremity `e` across its node, or an empty name
// at a telomere.
std::pair<std::string_view, int> neighbour(const PieceGraph& graph, int32_t e) {
  const int32_t other = graph.otherEnd(e);
  if (other < 0) return {std::string_view(), -1};
  return {graph.copies()[PieceGraph::copyOf(other)].name, other % 2};
}

// How many ends of the pair's two copies have the same neighbour in both.
int agreement(const PieceGraph& graph, const PieceGraph::Pair& pair) {
  int agreeing = 0;
  for (int end = 0; end < 2; ++end) {
    if (neighbour(graph, PieceGraph::extremity(pair.first, end)) ==
        neighbour(graph, PieceGraph::extremity(pair.second, end))) {
      ++agreeing;
    }
  }
  return agreeing;
}

CopyMatching greedyMatching(const PieceGraph& graph) {
  const auto& pairs = graph.pairs();
  std::vector<int> score(pairs.size());
  for (size_t p = 0; p < pairs.size(); ++p) score[p] = agreement(graph, pairs[p]);
  std::vector<int32_t> order(pairs.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) { return score[a] > score[b]; });
  CopyMatching matching;
  matching.pairOfCopy.assign(graph.copies().size(), -1);
  for (int32_t p : order) {
    if (matching.pairOfCopy[pairs[p].first] >= 0 || matching.pairOfCopy[pairs[p].second] >= 0) continue;
    matching.pairOfCopy[pairs[p].first] = p;
    matching.pairOfCopy[pairs[p].second] = p;
  }
  return matching;
}

// The local search from `start`: adds, removes or exchanges one pair at a
// time while the score grows, for at most `rounds` passes.
CopyMatching locallyImproved(const PieceGraph& graph, CopyMatching start, bool matchAll, int rounds) {
  IncrementalScore search(graph, std::move(start));
  for (int round = 0; round < rounds; ++round) {
    bool improved = false;
    for (size_t p = 0; p < graph.pairs().size(); ++p) {
      const IncrementalScore::Change change = togglePair(graph, search.matching(), static_cast<int32_t>(p), matchAll);
      if (!change.empty() && search.applyIfBetter(change)) improved = true;
    }
    if (!improved) break;
  }
  return search.matching();
}

}  // namespace

// On distant genomes the best matchings leave nearly every copy free (an
// adjacency of two free ends closes on itself and earns as much as a
// matched pair), which the greedy start is far from: the search from no
// pair at all, which first brings every circular chromosome to life with
// one pair, reaches them.
CopyMatching heuristicMatching(const PieceGraph& graph, bool matchAll, int rounds) {
  CopyMatching best = locallyImproved(graph, greedyMatching(graph), matchAll, rounds);
  if (matchAll) return best;
  CopyMatching none;
  none.pairOfCopy.assign(graph.copies().size(), -1);
  CopyMatching sparse = locallyImproved(graph, std::move(none), matchAll, rounds);
  if (scoreMatching(graph, sparse) > scoreMatching(graph, best)) return sparse;
  return best;
}

}  // namespace paralog::compact
