#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "ilp/adjacency.h"
#include "ilp/extremities.h"
#include "ilp/generators.h"
#include "support/declared_names.h"
#include "support/row_collector.h"
#include "support/structure_builders.h"

namespace paralog {
namespace {

using testutil::circular;
using testutil::linear;
using testutil::names;
using testutil::structure;

using Lines = std::vector<std::string>;

Lines slice(const Lines& lines, size_t from, size_t count) {
  EXPECT_LE(from + count, lines.size());
  if (from + count > lines.size()) return {};
  return Lines(lines.begin() + static_cast<std::ptrdiff_t>(from),
               lines.begin() + static_cast<std::ptrdiff_t>(from + count));
}

void run(testutil::RowCollector& task, const Structure& first, const Structure& second,
         VariablesStorage& storage) {
  generateRVariables(task, first, second, storage);
}

// first (id 1): linear +a.1 +b.1; second (id 2): circular +a.1 -b.1.
TEST(RVariablesTest, WorkedExampleLineByLine) {
  const Structure first = structure(1, {linear({"+a.1", "+b.1"})});
  const Structure second = structure(2, {circular({"+a.1", "-b.1"})});
  testutil::RowCollector task;
  VariablesStorage storage;
  run(task, first, second, storage);

  EXPECT_EQ(task.lines("Bounds"),
            (Lines{"r_1_a.1t >= -1", "r_1_a.1t <= 1", "r_1_a.1h >= -1", "r_1_a.1h <= 1",
                   "r_1_b.1t >= -1", "r_1_b.1t <= 1", "r_1_b.1h >= -1", "r_1_b.1h <= 1",
                   "r_2_a.1t >= -1", "r_2_a.1t <= 1", "r_2_a.1h >= -1", "r_2_a.1h <= 1",
                   "r_2_b.1t >= -1", "r_2_b.1t <= 1", "r_2_b.1h >= -1", "r_2_b.1h <= 1"}));

  const Lines expected = {
      // adjacent ends
      "r_1_a.1h + r_1_b.1t <= 0",
      "r_2_a.1h + r_2_b.1h <= 0",
      "r_2_a.1t + r_2_b.1t <= 0",
      // pairs of ends of first that are not adjacent, e1 = a.1t
      "2 r_1_a.1t + 2 t_2_a.1ta.1t <= 2",
      "r_1_a.1h + r_1_a.1t + 2 t_2_a.1ha.1t <= 2",
      "r_1_a.1t + r_1_b.1t + 2 t_2_a.1tb.1t <= 2",
      "r_1_a.1t + r_1_b.1h + 2 t_2_a.1tb.1h <= 2",
      // e1 = a.1h ({a.1h, b.1t} is an adjacency)
      "r_1_a.1h + r_1_a.1t + 2 t_2_a.1ha.1t <= 2",
      "2 r_1_a.1h + 2 t_2_a.1ha.1h <= 2",
      "r_1_a.1h + r_1_b.1h + 2 t_2_a.1hb.1h <= 2",
      // e1 = b.1t
      "r_1_a.1t + r_1_b.1t + 2 t_2_a.1tb.1t <= 2",
      "2 r_1_b.1t + 2 t_2_b.1tb.1t <= 2",
      "r_1_b.1h + r_1_b.1t + 2 t_2_b.1hb.1t <= 2",
      // e1 = b.1h
      "r_1_a.1t + r_1_b.1h + 2 t_2_a.1tb.1h <= 2",
      "r_1_a.1h + r_1_b.1h + 2 t_2_a.1hb.1h <= 2",
      "r_1_b.1h + r_1_b.1t + 2 t_2_b.1hb.1t <= 2",
      "2 r_1_b.1h + 2 t_2_b.1hb.1h <= 2",
      // pairs of ends of second; its adjacencies are {a.1h, b.1h} and {a.1t, b.1t}
      "2 r_2_a.1t + 2 t_1_a.1ta.1t <= 2",
      "r_2_a.1h + r_2_a.1t + 2 t_1_a.1ha.1t <= 2",
      "r_2_a.1t + r_2_b.1h + 2 t_1_a.1tb.1h <= 2",
      "r_2_a.1h + r_2_a.1t + 2 t_1_a.1ha.1t <= 2",
      "2 r_2_a.1h + 2 t_1_a.1ha.1h <= 2",
      "r_2_a.1h + r_2_b.1t + 2 t_1_a.1hb.1t <= 2",
      "r_2_a.1h + r_2_b.1t + 2 t_1_a.1hb.1t <= 2",
      "2 r_2_b.1t + 2 t_1_b.1tb.1t <= 2",
      "r_2_b.1h + r_2_b.1t + 2 t_1_b.1hb.1t <= 2",
      "r_2_a.1t + r_2_b.1h + 2 t_1_a.1tb.1h <= 2",
      "r_2_b.1h + r_2_b.1t + 2 t_1_b.1hb.1t <= 2",
      "2 r_2_b.1h + 2 t_1_b.1hb.1h <= 2",
      // ends matched across the structures
      "r_1_a.1t - r_2_a.1t + 2 z_a.1.1 <= 2",
      "r_1_a.1t - r_2_a.1t - 2 z_a.1.1 >= -2",
      "r_1_a.1h - r_2_a.1h + 2 z_a.1.1 <= 2",
      "r_1_a.1h - r_2_a.1h - 2 z_a.1.1 >= -2",
      "r_1_b.1t - r_2_b.1t + 2 z_b.1.1 <= 2",
      "r_1_b.1t - r_2_b.1t - 2 z_b.1.1 >= -2",
      "r_1_b.1h - r_2_b.1h + 2 z_b.1.1 <= 2",
      "r_1_b.1h - r_2_b.1h - 2 z_b.1.1 >= -2",
  };
  EXPECT_EQ(task.lines("Subject To"), expected);

  EXPECT_EQ(names(testutil::generalNames(storage)),
            (Lines{"r_1_a.1h", "r_1_a.1t", "r_1_b.1h", "r_1_b.1t", "r_2_a.1h", "r_2_a.1t",
                   "r_2_b.1h", "r_2_b.1t"}));
  EXPECT_EQ(names(testutil::binaryNames(storage)),
            (Lines{"t_1_a.1ha.1h", "t_1_a.1ha.1t", "t_1_a.1hb.1t", "t_1_a.1ta.1t", "t_1_a.1tb.1h",
                   "t_1_b.1hb.1h", "t_1_b.1hb.1t", "t_1_b.1tb.1t", "t_2_a.1ha.1h", "t_2_a.1ha.1t",
                   "t_2_a.1hb.1h", "t_2_a.1ta.1t", "t_2_a.1tb.1h", "t_2_a.1tb.1t", "t_2_b.1hb.1h",
                   "t_2_b.1hb.1t", "t_2_b.1tb.1t", "z_a.1.1", "z_b.1.1"}));
}

TEST(RVariablesTest, MatchingIgnoresCopyIndices) {
  // a.2t of first fits a.1t of second: the z name pairs copy 2 with copy 1.
  const Structure first = structure(1, {linear({"+a.1", "+a.2"})});
  const Structure second = structure(2, {linear({"+a.1"})});
  testutil::RowCollector task;
  VariablesStorage storage;
  run(task, first, second, storage);

  const Lines lines = task.lines("Subject To");
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(slice(lines, lines.size() - 8, 8),
            (Lines{"r_1_a.1t - r_2_a.1t + 2 z_a.1.1 <= 2", "r_1_a.1t - r_2_a.1t - 2 z_a.1.1 >= -2",
                   "r_1_a.1h - r_2_a.1h + 2 z_a.1.1 <= 2", "r_1_a.1h - r_2_a.1h - 2 z_a.1.1 >= -2",
                   "r_1_a.2t - r_2_a.1t + 2 z_a.2.1 <= 2", "r_1_a.2t - r_2_a.1t - 2 z_a.2.1 >= -2",
                   "r_1_a.2h - r_2_a.1h + 2 z_a.2.1 <= 2",
                   "r_1_a.2h - r_2_a.1h - 2 z_a.2.1 >= -2"}));
}

TEST(RVariablesTest, CopyListedTwiceRepeatsLinesButNotNames) {
  // +a.1 +a.1: the copy's ends come twice; its one adjacency is {a.1h, a.1t}.
  const Structure first = structure(1, {linear({"+a.1", "+a.1"})});
  const Structure second = structure(2, {linear({"+a.1"})});
  testutil::RowCollector task;
  VariablesStorage storage;
  run(task, first, second, storage);

  EXPECT_EQ(task.lines("Bounds"),
            (Lines{"r_1_a.1t >= -1", "r_1_a.1t <= 1", "r_1_a.1h >= -1", "r_1_a.1h <= 1",
                   "r_1_a.1t >= -1", "r_1_a.1t <= 1", "r_1_a.1h >= -1", "r_1_a.1h <= 1",
                   "r_2_a.1t >= -1", "r_2_a.1t <= 1", "r_2_a.1h >= -1", "r_2_a.1h <= 1"}));

  const std::string tt = "2 r_1_a.1t + 2 t_2_a.1ta.1t <= 2";
  const std::string hh = "2 r_1_a.1h + 2 t_2_a.1ha.1h <= 2";
  const std::string le = "r_1_a.1t - r_2_a.1t + 2 z_a.1.1 <= 2";
  const std::string ge = "r_1_a.1t - r_2_a.1t - 2 z_a.1.1 >= -2";
  const std::string leH = "r_1_a.1h - r_2_a.1h + 2 z_a.1.1 <= 2";
  const std::string geH = "r_1_a.1h - r_2_a.1h - 2 z_a.1.1 >= -2";
  EXPECT_EQ(task.lines("Subject To"),
            (Lines{"r_1_a.1h + r_1_a.1t <= 0",
                   // first: every pair of a t end with an h end is the adjacency
                   tt, tt, hh, hh, tt, tt, hh, hh,
                   // second: nothing is adjacent
                   "2 r_2_a.1t + 2 t_1_a.1ta.1t <= 2", "r_2_a.1h + r_2_a.1t + 2 t_1_a.1ha.1t <= 2",
                   "r_2_a.1h + r_2_a.1t + 2 t_1_a.1ha.1t <= 2", "2 r_2_a.1h + 2 t_1_a.1ha.1h <= 2",
                   // matching, once per listed end
                   le, ge, leH, geH, le, ge, leH, geH}));
  EXPECT_EQ(names(testutil::generalNames(storage)),
            (Lines{"r_1_a.1h", "r_1_a.1t", "r_2_a.1h", "r_2_a.1t"}));
}

TEST(RVariablesTest, CircularChromosomeOfOneGeneSkipsItsAdjacencyInBothOrders) {
  const Structure first = structure(1, {circular({"+a.1"})});
  const Structure second = structure(2, {linear({"+a.1"})});
  testutil::RowCollector task;
  VariablesStorage storage;
  run(task, first, second, storage);

  EXPECT_EQ(task.lines("Subject To"),
            (Lines{"r_1_a.1h + r_1_a.1t <= 0",
                   "2 r_1_a.1t + 2 t_2_a.1ta.1t <= 2", "2 r_1_a.1h + 2 t_2_a.1ha.1h <= 2",
                   "2 r_2_a.1t + 2 t_1_a.1ta.1t <= 2", "r_2_a.1h + r_2_a.1t + 2 t_1_a.1ha.1t <= 2",
                   "r_2_a.1h + r_2_a.1t + 2 t_1_a.1ha.1t <= 2", "2 r_2_a.1h + 2 t_1_a.1ha.1h <= 2",
                   "r_1_a.1t - r_2_a.1t + 2 z_a.1.1 <= 2", "r_1_a.1t - r_2_a.1t - 2 z_a.1.1 >= -2",
                   "r_1_a.1h - r_2_a.1h + 2 z_a.1.1 <= 2",
                   "r_1_a.1h - r_2_a.1h - 2 z_a.1.1 >= -2"}));
  EXPECT_FALSE(testutil::binaryNames(storage).empty());
  for (std::string_view name : testutil::binaryNames(storage)) EXPECT_NE(name, "t_2_a.1ha.1t");
}

TEST(RVariablesTest, AdjacencyOfAnEndWithItselfIsSkipped) {
  // +a.1 -a.1 touch with their heads: the adjacency {a.1h, a.1h}.
  const Structure first = structure(1, {linear({"+a.1", "-a.1"})});
  const Structure second = structure(2, {linear({"+a.1"})});
  testutil::RowCollector task;
  VariablesStorage storage;
  run(task, first, second, storage);

  const Lines lines = task.lines("Subject To");
  ASSERT_GE(lines.size(), 13u);
  EXPECT_EQ(lines[0], "2 r_1_a.1h <= 0");
  const std::string tt = "2 r_1_a.1t + 2 t_2_a.1ta.1t <= 2";
  const std::string th = "r_1_a.1h + r_1_a.1t + 2 t_2_a.1ha.1t <= 2";
  EXPECT_EQ(slice(lines, 1, 12), (Lines{tt, th, tt, th, th, th, tt, th, tt, th, th, th}));
  for (std::string_view name : testutil::binaryNames(storage)) EXPECT_NE(name, "t_2_a.1ha.1h");
}

// The lines as the plain rules state them: every ordered pair compared with
// every adjacency, every end of one structure with every end of the other.
void referenceRLines(testutil::RowCollector& task, const Structure& first, const Structure& second,
                     VariablesStorage& storage) {
  const std::vector<Extremity> extFirst = structureExtremities(first);
  const std::vector<Extremity> extSecond = structureExtremities(second);
  const std::vector<Adjacency> adjFirst = structureAdjacencies(first);
  const std::vector<Adjacency> adjSecond = structureAdjacencies(second);
  auto text = [](std::string_view view) { return std::string(view); };
  for (const auto* side : {&first, &second}) {
    for (const Extremity& e : side == &first ? extFirst : extSecond) {
      const std::string r = text(storage.rVariable(side->id, e));
      task.addText("Bounds", r + " >= -1");
      task.addText("Bounds", r + " <= 1");
    }
  }
  for (const auto* side : {&first, &second}) {
    for (const Adjacency& a : side == &first ? adjFirst : adjSecond) {
      task.addText("Subject To", text(storage.rVariable(side->id, a.firstEnd)) + " + " +
                                           text(storage.rVariable(side->id, a.secondEnd)) +
                                           " <= 0");
    }
  }
  for (const auto* side : {&first, &second}) {
    const std::vector<Extremity>& ext = side == &first ? extFirst : extSecond;
    const std::vector<Adjacency>& adj = side == &first ? adjFirst : adjSecond;
    const int32_t other = side == &first ? second.id : first.id;
    for (const Extremity& e1 : ext) {
      for (const Extremity& e2 : ext) {
        const Extremity& lo = extremityLess(e2, e1) ? e2 : e1;
        const Extremity& hi = extremityLess(e1, e2) ? e2 : e1;
        bool adjacent = false;
        for (const Adjacency& a : adj) adjacent = adjacent || a == Adjacency{lo, hi};
        if (adjacent) continue;
        task.addText("Subject To", text(storage.rVariable(side->id, lo)) + " + " +
                                             text(storage.rVariable(side->id, hi)) + " + 2 " +
                                             text(storage.tVariable(other, lo, hi)) + " <= 2");
      }
    }
  }
  for (const Extremity& p : extFirst) {
    for (const Extremity& q : extSecond) {
      if (p.name != q.name || p.end != q.end) continue;
      const std::string rF = text(storage.rVariable(first.id, p));
      const std::string rS = text(storage.rVariable(second.id, q));
      const std::string z = text(storage.zVariable(p.name, p.index, q.index));
      task.addText("Subject To", rF + " - " + rS + " + 2 " + z + " <= 2");
      task.addText("Subject To", rF + " - " + rS + " - 2 " + z + " >= -2");
    }
  }
}

TEST(RVariablesTest, SameLinesAsThePlainRulesOnAMixedPair) {
  // Copy indices 2 and 10 (keys sort a.10 before a.2), reversed copies,
  // several chromosomes of both kinds, a repeated copy, and gene names
  // present in only one structure.
  const Structure first =
      structure(1, {linear({"+a.10", "-b.1", "+a.2", "-c.1"}), circular({"-a.1", "+b.2"}),
                    circular({"+d.1"}), linear({"+a.2"})});
  const Structure second =
      structure(2, {circular({"-a.2", "+a.10", "+b.1"}), linear({"+c.1", "-b.2", "+a.1", "+e.1"})});
  testutil::RowCollector task;
  VariablesStorage storage;
  run(task, first, second, storage);
  testutil::RowCollector expectedTask;
  VariablesStorage expectedStorage;
  referenceRLines(expectedTask, first, second, expectedStorage);

  EXPECT_EQ(task.lines("Bounds"), expectedTask.lines("Bounds"));
  // 16 ends in first, 14 in second: most of the lines come from the pairs.
  EXPECT_GT(expectedTask.lines("Subject To").size(), 16u * 16u);
  EXPECT_EQ(task.lines("Subject To"), expectedTask.lines("Subject To"));
  EXPECT_EQ(testutil::binaryNames(storage), testutil::binaryNames(expectedStorage));
  EXPECT_EQ(testutil::generalNames(storage), testutil::generalNames(expectedStorage));
}

TEST(RVariablesTest, EmptyStructuresGiveOnlyTheProgressLine) {
  testutil::RowCollector task;
  VariablesStorage storage;
  run(task, structure(1, {}), structure(2, {circular({})}), storage);
  EXPECT_TRUE(task.lines("Bounds").empty());
  EXPECT_TRUE(task.lines("Subject To").empty());
  EXPECT_TRUE(testutil::generalNames(storage).empty());
}

}  // namespace
}  // namespace paralog
