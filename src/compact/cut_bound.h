#ifndef PARALOG_COMPACT_CUT_BOUND_H
#define PARALOG_COMPACT_CUT_BOUND_H

#include <cstdint>
#include <optional>

#include "compact/piece_graph.h"
#include "solver/solve_control.h"

namespace paralog::compact {

/// An upper bound on the score of every matching of `graph`, under either
/// join credit of the compact model: a count like the refined one
/// (score_bound.h) whose matched pairs and nodes that need the extra are
/// counted at once over every copy's state, matched or not, by minimum
/// cuts, each family's matched copies balanced between the genomes by
/// Lagrange multipliers (docs/compact-model.md, "The cut bound"). Each
/// cut takes well under a second at genome scale; `control` is polled
/// during the cuts, and a stop ends it with the best bound found so far
/// (none before the first cut ends).
std::optional<int64_t> cutScoreBound(const PieceGraph& graph, const SolveControl& control);

/// What the cut bound is made of, in halves: at least the most, over every
/// matching M, of 2 |M| + the nodes in conserved adjacencies (cycles of two
/// links) + 2 per adjacency node alone as a piece with both ends free (not
/// a shared node of the first genome). Polls `control` as cutScoreBound
/// does.
std::optional<int64_t> mostCutCredit(const PieceGraph& graph, const SolveControl& control);

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_CUT_BOUND_H
