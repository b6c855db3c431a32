#ifndef PARALOG_COMPACT_PAIR_MOVES_H
#define PARALOG_COMPACT_PAIR_MOVES_H

#include <cstdint>

#include "compact/incremental_score.h"
#include "compact/piece_graph.h"
#include "compact/piece_walk.h"

namespace paralog::compact {

/// The candidate pair of copy `first` (first genome) and copy `second`
/// (second genome) of `graph`, or -1 when they are none.
int32_t pairBetween(const PieceGraph& graph, int32_t first, int32_t second);

/// The change that puts pair `p` into `matching`, dropping the pairs of its
/// copies, or takes it out if it is in. With `keepCount`, a pair is never
/// taken out (the change is empty), and the two copies that a double drop
/// leaves alone are paired instead when they are a candidate pair (an
/// exchange of partners). REQUIRES: `p` is a pair of `graph`, `matching` a
/// matching of it.
IncrementalScore::Change togglePair(const PieceGraph& graph, const CopyMatching& matching, int32_t p,
                                    bool keepCount);

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_PAIR_MOVES_H
