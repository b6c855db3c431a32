// A compact solve told to stop before it starts: no search runs, and the
// heuristic matching comes back unproven.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <optional>

#include "compact/compact_solve.h"
#include "support/structure_builders.h"

namespace paralog::compact {
namespace {

using testutil::circular;
using testutil::linear;

TEST(CompactStopTest, AStopBeforeTheSearchKeepsTheHeuristicMatchingUnproven) {
  // Two independent parts (a-b-c, d-e), copies to choose among in each.
  const Structure first = testutil::structure(
      1, {linear({"+a.1", "-b.1", "+c.1", "+a.2"}), circular({"+d.1", "+e.1", "-d.2"})});
  const Structure second = testutil::structure(
      2, {linear({"+c.1", "+b.1", "-a.1"}), linear({"+a.2"}), circular({"-e.1", "+d.2", "+d.1"})});
  const std::atomic<bool> raised{true};
  for (const bool matchAll : {false, true}) {
    for (const PartSplit split : {PartSplit::kIndependentParts, PartSplit::kWhole}) {
      CompactSolveRequest request;
      request.matchAll = matchAll;
      request.partSplit = split;
      request.control = SolveControl(std::nullopt, &raised);
      const CompactSolveResult solved = solveCompact(first, second, request);
      const auto heuristic = heuristicPairs(first, second, matchAll);
      EXPECT_EQ(solved.status, SolutionStatus::kInterrupted) << matchAll;
      EXPECT_FALSE(solved.searchStillRunning) << matchAll;
      EXPECT_TRUE(std::isnan(solved.bestBound)) << matchAll;
      EXPECT_EQ(solved.score, solved.heuristicScore) << matchAll;
      ASSERT_EQ(solved.matching.size(), heuristic.size()) << matchAll;
      for (size_t p = 0; p < heuristic.size(); ++p) {
        EXPECT_EQ(solved.matching[p].gene, heuristic[p].gene);
        EXPECT_EQ(solved.matching[p].firstIndex, heuristic[p].firstIndex);
      }
    }
  }
}

}  // namespace
}  // namespace paralog::compact
