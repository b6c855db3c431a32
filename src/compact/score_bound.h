#ifndef PARALOG_COMPACT_SCORE_BOUND_H
#define PARALOG_COMPACT_SCORE_BOUND_H

#include <cstdint>
#include <utility>
#include <vector>

#include "compact/piece_graph.h"

namespace paralog::compact {

/// The candidate pairs (p, q) that, both matched, make an adjacency of the
/// first genome and one of the second a cycle of two links (a conserved
/// adjacency): p links the first ends of the two nodes, q the other ends
/// (q == p for two circular chromosomes of one gene). Each such cycle is
/// listed once. The result holds pair indices of `graph` only.
std::vector<std::pair<int32_t, int32_t>> conservedAdjacencyPairs(const PieceGraph& graph);

/// An upper bound on the score of every matching of the --match-all
/// program (each family matches as many pairs as its smaller side has
/// copies), from counting alone: 2 N - K + min(S, K) + T / 2 with N the
/// copies of both genomes, K the pairs every such matching has, S the
/// conserved adjacencies that could be made and T the telomeres
/// (docs/compact-model.md, "A bound from counting"). Time linear in the
/// graph.
double matchAllScoreBound(const PieceGraph& graph);

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_SCORE_BOUND_H
