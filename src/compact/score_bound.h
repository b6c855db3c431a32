#ifndef PARALOG_COMPACT_SCORE_BOUND_H
#define PARALOG_COMPACT_SCORE_BOUND_H

#include <cstdint>

#include "compact/piece_graph.h"
#include "solver/solve_control.h"

namespace paralog::compact {

/// An upper bound on the score of every matching of `graph`, under either
/// join credit of the compact model: the smaller of the number of nodes
/// (adjacencies and telomeres) of both genomes plus the number of gene
/// copies of both, and a refined count that credits conserved adjacencies
/// and lone nodes only where some matching could have them. Computed in
/// time n log n; docs/compact-model.md ("A bound without the relaxation")
/// gives the argument. Minus it bounds the model's optimum from below
/// before any relaxation is solved.
int64_t scoreUpperBound(const PieceGraph& graph);

/// The smaller of the bound above and the cut bound (cut_bound.h), which
/// polls `control`; the bound above alone when a stop comes before the
/// first cut ends. With `matchAll` it bounds the matchings of the
/// --match-all program only, with the cut bound over those.
int64_t scoreUpperBound(const PieceGraph& graph, const SolveControl& control, bool matchAll = false);

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_SCORE_BOUND_H
