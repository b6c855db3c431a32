#include "compact/warm_start.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <tuple>
#include <vector>

namespace paralog {
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

// Puts pair `p` into the matching (dropping the pairs of its copies), or
// takes it out if it is in.
void toggle(const PieceGraph& graph, CopyMatching& matching, int32_t p) {
  const PieceGraph::Pair& pair = graph.pairs()[p];
  if (matching.pairOfCopy[pair.first] == p) {
    matching.pairOfCopy[pair.first] = -1;
    matching.pairOfCopy[pair.second] = -1;
    return;
  }
  for (int32_t copy : {pair.first, pair.second}) {
    const int32_t old = matching.pairOfCopy[copy];
    if (old < 0) continue;
    matching.pairOfCopy[graph.pairs()[old].first] = -1;
    matching.pairOfCopy[graph.pairs()[old].second] = -1;
  }
  matching.pairOfCopy[pair.first] = p;
  matching.pairOfCopy[pair.second] = p;
}

}  // namespace

CopyMatching heuristicMatching(const PieceGraph& graph, int rounds) {
  CopyMatching matching = greedyMatching(graph);
  int64_t score = scoreMatching(graph, matching);
  for (int round = 0; round < rounds; ++round) {
    bool improved = false;
    for (size_t p = 0; p < graph.pairs().size(); ++p) {
      CopyMatching trial = matching;
      toggle(graph, trial, static_cast<int32_t>(p));
      const int64_t trialScore = scoreMatching(graph, trial);
      if (trialScore > score) {
        matching = std::move(trial);
        score = trialScore;
        improved = true;
      }
    }
    if (!improved) break;
  }
  return matching;
}

}  // namespace paralog
