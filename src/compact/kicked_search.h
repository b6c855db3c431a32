#ifndef PARALOG_COMPACT_KICKED_SEARCH_H
#define PARALOG_COMPACT_KICKED_SEARCH_H

#include <cstdint>

#include "compact/piece_graph.h"
#include "compact/piece_walk.h"
#include "solver/solve_control.h"

namespace paralog::compact {

/// Improves `start` by an iterated local search: each round kicks one
/// random candidate pair into or out of the matching (with `matchAll`, an
/// exchange of partners), lets single-pair moves on the copies around it
/// climb, and keeps the result when it scores at least as much as before
/// (so the search can cross plateaus), else undoes it. The random choices
/// come from a fixed seed, so the result depends on the input alone, not
/// on timing; `control` can only end it early (checked every few hundred
/// rounds). Never returns a matching that scores less than `start`.
/// REQUIRES: `start` is a matching of `graph`, and with `matchAll` matches
/// as many pairs per family as its smaller side has copies. Does not keep
/// `graph` or `control` beyond the call.
CopyMatching kickedSearch(const PieceGraph& graph, CopyMatching start, bool matchAll, int64_t rounds,
                          const SolveControl& control);

/// The rounds kickedSearch is given by default: a few per candidate pair.
int64_t defaultKickRounds(const PieceGraph& graph);

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_KICKED_SEARCH_H
