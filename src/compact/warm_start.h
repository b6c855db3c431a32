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
/// as its smaller side has copies: pairs are only exchanged. Without it the
/// same search also starts from no pair at all (the better of the two is
/// returned): on distant genomes the best matchings leave most copies free.
CopyMatching heuristicMatching(const PieceGraph& graph, bool matchAll = false, int rounds = 3);

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_WARM_START_H
