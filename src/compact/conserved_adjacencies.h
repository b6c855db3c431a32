#ifndef PARALOG_COMPACT_CONSERVED_ADJACENCIES_H
#define PARALOG_COMPACT_CONSERVED_ADJACENCIES_H

#include <cstdint>
#include <utility>
#include <vector>

#include "compact/piece_graph.h"

namespace paralog::compact {

/// Two candidate pairs that, both matched, make an adjacency of the first
/// genome and one of the second a cycle of two links (a conserved
/// adjacency): `pair` links the first ends of the two nodes, `otherPair`
/// the other ends (the same pair for two circular chromosomes of one gene).
struct ConservedAdjacency {
  int32_t node = 0;  ///< the first genome's adjacency node
  int32_t pair = 0;
  int32_t otherPair = 0;
};

/// Every conserved adjacency that candidate pairs could make, each once.
/// The result holds node and pair indices of `graph` only.
std::vector<ConservedAdjacency> conservedAdjacencies(const PieceGraph& graph);

/// An upper bound on the score of every matching of the --match-all
/// program (each family matches as many pairs as its smaller side has
/// copies), from counting alone: 2 N - K + min(S, K) + T / 2 with N the
/// copies of both genomes, K the pairs every such matching has, S the
/// conserved adjacencies that could be made and T the telomeres
/// (docs/compact-model.md, "A bound from counting"). Time linear in the
/// graph.
double matchAllScoreBound(const PieceGraph& graph);

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_CONSERVED_ADJACENCIES_H
