#include "compact/pair_moves.h"

namespace paralog::compact {

int32_t pairBetween(const PieceGraph& graph, int32_t first, int32_t second) {
  for (int32_t p : graph.pairsOf(first)) {
    if (graph.pairs()[p].second == second) return p;
  }
  return -1;
}

IncrementalScore::Change togglePair(const PieceGraph& graph, const CopyMatching& matching, int32_t p,
                                    bool keepCount) {
  const PieceGraph::Pair& pair = graph.pairs()[p];
  if (matching.pairOfCopy[pair.first] == p) {
    if (keepCount) return {};
    return {{pair.first, -1}, {pair.second, -1}};
  }
  IncrementalScore::Change change = {{pair.first, p}, {pair.second, p}};
  const int32_t oldFirst = matching.pairOfCopy[pair.first];
  const int32_t oldSecond = matching.pairOfCopy[pair.second];
  // The partners the two copies leave.
  const int32_t leftSecond = oldFirst >= 0 ? graph.pairs()[oldFirst].second : -1;
  const int32_t leftFirst = oldSecond >= 0 ? graph.pairs()[oldSecond].first : -1;
  const int32_t swapped = keepCount && leftFirst >= 0 && leftSecond >= 0 ? pairBetween(graph, leftFirst, leftSecond) : -1;
  if (leftSecond >= 0) change.emplace_back(leftSecond, swapped);
  if (leftFirst >= 0) change.emplace_back(leftFirst, swapped);
  return change;
}

}  // namespace paralog::compact
