// Maximum flows that go on from the last solve after capacities change.
#include "compact/max_flow.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace paralog::compact {
namespace {

struct Arc {
  int32_t from, to;
  int64_t capacity;
};

// The value of a maximum flow from nothing, and the cut the solve proves,
// summed from the arcs that leave its source side.
int64_t freshFlow(int32_t nodes, const std::vector<Arc>& arcs, int64_t* cut) {
  MaxFlow flow(nodes);
  for (const Arc& arc : arcs) flow.addArc(arc.from, arc.to, arc.capacity);
  const int64_t value = *flow.solve(nodes - 2, nodes - 1, [] { return false; });
  *cut = 0;
  for (const Arc& arc : arcs) *cut += flow.sourceSide(arc.from) && !flow.sourceSide(arc.to) ? arc.capacity : 0;
  return value;
}

// Graphs like the credit cut's: every inner node with an arc from the
// source and one to the sink, whose capacities change between solves.
TEST(MaxFlowTest, SolvesAfterTerminalChangesMatchSolvesFromNothing) {
  std::mt19937 random(7);
  for (int graph = 0; graph < 200; ++graph) {
    const int32_t inner = 1 + static_cast<int32_t>(random() % 12);
    const int32_t source = inner, sink = inner + 1;
    std::vector<Arc> arcs;
    MaxFlow warm(inner + 2);
    for (int32_t n = 0; n < inner; ++n) {
      arcs.push_back({source, n, 0});
      arcs.push_back({n, sink, 0});
      warm.addArc(source, n, 0);
      warm.addArc(n, sink, 0);
    }
    for (int32_t a = 0; a < 3 * inner; ++a) {
      arcs.push_back({static_cast<int32_t>(random() % inner), static_cast<int32_t>(random() % inner),
                      static_cast<int64_t>(random() % 6)});
      warm.addArc(arcs.back().from, arcs.back().to, arcs.back().capacity);
    }
    for (int solve = 0; solve < 8; ++solve) {
      int64_t raised = 0;
      for (int32_t n = 0; n < inner; ++n) {
        // Most solves change a few nodes, as the tree search does.
        if (solve > 0 && random() % 3 != 0) {
          raised += warm.setTerminalCapacities(2 * n, arcs[2 * n].capacity, 2 * n + 1, arcs[2 * n + 1].capacity);
          continue;
        }
        arcs[2 * n].capacity = static_cast<int64_t>(random() % 10);
        arcs[2 * n + 1].capacity = static_cast<int64_t>(random() % 10);
        raised += warm.setTerminalCapacities(2 * n, arcs[2 * n].capacity, 2 * n + 1, arcs[2 * n + 1].capacity);
      }
      int64_t cut = 0;
      const int64_t fresh = freshFlow(inner + 2, arcs, &cut);
      ASSERT_EQ(fresh, cut);
      ASSERT_EQ(*warm.solve(source, sink, [] { return false; }) - raised, fresh) << graph << " " << solve;
      int64_t warmCut = 0;
      for (const Arc& arc : arcs) warmCut += warm.sourceSide(arc.from) && !warm.sourceSide(arc.to) ? arc.capacity : 0;
      EXPECT_EQ(warmCut, fresh) << graph << " " << solve;
    }
  }
}

}  // namespace
}  // namespace paralog::compact
