#ifndef PARALOG_COMPACT_WARM_START_H
#define PARALOG_COMPACT_WARM_START_H

#include <cstdint>

#include "compact/piece_graph.h"
#include "compact/piece_walk.h"

namespace paralog::compact {

/// A good matching found fast, handed to the solver as its first solution:
/// candidate pairs taken greedily by how many of their gene ends have the
/// same neighbour in both genomes, then improved by adding, removing and
/// exchanging single pairs while the score grows, for at most `rounds`
/// passes over the pairs. With `matchAll` every family keeps as many pairs
/// as its smaller side has copies: pairs are only exchanged.
CopyMatching heuristicMatching(const PieceGraph& graph, bool matchAll = false, int rounds = 3);

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_WARM_START_H
