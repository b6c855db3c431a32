#ifndef PARALOG_COMPACT_MATCHING_TREE_SEARCH_H
#define PARALOG_COMPACT_MATCHING_TREE_SEARCH_H

#include <cstdint>

#include "compact/piece_graph.h"
#include "compact/piece_walk.h"
#include "solver/solve_control.h"

namespace paralog::compact {

/// What the search over the tree of matchings found.
struct TreeSearchOutcome {
  CopyMatching best;
  int64_t score = 0;
  /// The whole tree was covered, so `best` is an optimal matching.
  bool proven = false;
  int64_t treeNodes = 0;
};

/// Branch and bound over every matching of `graph` without CBC: decides
/// the copies one at a time (unmatched, or matched to each partner still
/// free), cuts every branch whose PartialMatchingBound cannot beat the best
/// matching found, and scores each complete matching exactly. Starts from
/// `start` (the first branch taken at every copy is its decision there).
/// Gives up, unproven, after `maxTreeNodes` nodes of the tree or when
/// `control` says stop (checked every few hundred nodes); the outcome then
/// holds the best matching found, never one scoring below `start`. The
/// node budget, not the clock, decides how far it gets, so the answer
/// depends on the input alone. Without a limit on the time the search is
/// exact for any pair, but only pairs of a few dozen genes finish within a
/// reasonable budget. With `matchAll` only the matchings of the
/// --match-all program count: each family matches as many pairs as it has
/// copies with candidates in the genome with fewer.
/// REQUIRES: `start` is a matching of `graph`, one of the --match-all
/// program's with `matchAll`. Keeps nothing of its arguments beyond the
/// call.
TreeSearchOutcome searchMatchingTree(const PieceGraph& graph, const CopyMatching& start, bool matchAll,
                                     int64_t maxTreeNodes, const SolveControl& control);

/// The node budget searchMatchingTree is given before CBC takes over:
/// up to a few seconds of work (tree nodes times the size of the graph)
/// for pairs of a few dozen genes, less for larger ones, and 0 beyond a
/// few hundred gene copies, whose tree it never covers.
int64_t defaultTreeNodes(const PieceGraph& graph);

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_MATCHING_TREE_SEARCH_H
