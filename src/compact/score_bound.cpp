#include "compact/score_bound.h"

namespace paralog::compact {

// Per piece, what it earns (its share of the joins included) is at most
// its node count plus half its free ends; summed, the free ends give back
// what the matched pairs earn. The documentation has the full argument.
int64_t scoreUpperBound(const PieceGraph& graph) {
  return static_cast<int64_t>(graph.nodes().size()) + static_cast<int64_t>(graph.copies().size());
}

}  // namespace paralog::compact
