#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "ilp/generators.h"
#include "support/declared_names.h"
#include "support/row_collector.h"
#include "support/structure_builders.h"

namespace paralog {
namespace {

using Lines = std::vector<std::string>;

using testutil::circular;
using testutil::linear;
using testutil::structure;

// Runs the generator on a fresh task and storage, capturing its output.
struct URun {
  testutil::RowCollector task;
  VariablesStorage storage;

  URun(const Structure& first, const Structure& second) {
    generateUVariables(task, first, second, storage);
  }
  Lines bounds() const { return task.lines("Bounds"); }
  Lines constraints() const { return task.lines("Subject To"); }
};

size_t occurrences(const std::string& line, const std::string& part) {
  size_t count = 0;
  for (size_t at = line.find(part); at != std::string::npos; at = line.find(part, at + 1)) {
    ++count;
  }
  return count;
}

// End-connection lines: one t and one u term, no z term.
size_t endConnectionLines(const Lines& lines) {
  return std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
    return occurrences(line, "t_") == 1 && occurrences(line, "u_") == 1 &&
           occurrences(line, "z_") == 0;
  });
}

// Lines within a structure: a t term and either no u term (an adjacency with itself)
// or two of them, no z term.
size_t innerConnectionLines(const Lines& lines) {
  return std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
    const size_t u = occurrences(line, "u_");
    return occurrences(line, "t_") == 1 && (u == 0 || u == 2) && occurrences(line, "z_") == 0;
  });
}

TEST(UVariablesTest, WorkedExampleGoldenLines) {
  const Structure first = structure(1, {linear({"+a.1", "+b.1"})});
  const Structure second = structure(2, {circular({"+a.1", "-b.1"})});
  const URun run(first, second);

  EXPECT_EQ(run.bounds(), (Lines{
                              "u_2_a.1hb.1h >= 0",
                              "u_2_a.1hb.1h <= 2",
                              "u_1_a.1hb.1t >= 0",
                              "u_1_a.1hb.1t <= 1",
                              "u_2_a.1tb.1t >= 0",
                              "u_2_a.1tb.1t <= 3",
                          }));

  Lines expected = {
      // circular chromosomes (texts handed over begin with " + ")
      "- u_2_a.1hb.1h + 2 z_a.1.1 + 2 z_b.1.1 >= 0",
      "- u_2_a.1tb.1t + 3 z_a.1.1 + 3 z_b.1.1 >= 0",
      // end matching
      "u_2_a.1tb.1t + 3 z_a.1.1 <= 3",
      "u_2_a.1hb.1h + 2 z_b.1.1 <= 2",
      // end connections
      "t_2_a.1ha.1t + u_1_a.1hb.1t <= 1",
      "t_2_a.1tb.1t + u_1_a.1hb.1t <= 1",
      "t_2_a.1hb.1h + u_1_a.1hb.1t <= 1",
      "t_2_b.1hb.1t + u_1_a.1hb.1t <= 1",
      // matching across the structures
      "u_1_a.1hb.1t - u_2_a.1hb.1h + z_a.1.1 <= 1",
      "- u_1_a.1hb.1t + u_2_a.1hb.1h + 2 z_a.1.1 <= 2",
      "u_1_a.1hb.1t - u_2_a.1tb.1t + z_b.1.1 <= 1",
      "- u_1_a.1hb.1t + u_2_a.1tb.1t + 3 z_b.1.1 <= 3",
      // within first: its one adjacency with itself, cross orientations
      "t_2_a.1hb.1t <= 1",
      "t_2_a.1hb.1t <= 1",
      "t_2_a.1hb.1t <= 1",
      "t_2_a.1hb.1t <= 1",
      // within second: {a.1h, b.1h} with itself
      "2 t_1_a.1hb.1h <= 2",
      "2 t_1_a.1hb.1h <= 2",
      "2 t_1_a.1hb.1h <= 2",
      "2 t_1_a.1hb.1h <= 2",
      // {a.1h, b.1h} with {a.1t, b.1t}, four orientations
      "2 t_1_a.1ha.1t + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2",
      "3 t_1_a.1ha.1t - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3",
      "2 t_1_a.1hb.1t + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2",
      "3 t_1_a.1hb.1t - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3",
      "2 t_1_a.1tb.1h + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2",
      "3 t_1_a.1tb.1h - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3",
      "2 t_1_b.1hb.1t + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2",
      "3 t_1_b.1hb.1t - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3",
      // {a.1t, b.1t} with {a.1h, b.1h}
      "3 t_1_a.1ha.1t - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3",
      "2 t_1_a.1ha.1t + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2",
      "3 t_1_a.1tb.1h - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3",
      "2 t_1_a.1tb.1h + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2",
      "3 t_1_a.1hb.1t - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3",
      "2 t_1_a.1hb.1t + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2",
      "3 t_1_b.1hb.1t - u_2_a.1hb.1h + u_2_a.1tb.1t <= 3",
      "2 t_1_b.1hb.1t + u_2_a.1hb.1h - u_2_a.1tb.1t <= 2",
      // {a.1t, b.1t} with itself
      "3 t_1_a.1tb.1t <= 3",
      "3 t_1_a.1tb.1t <= 3",
      "3 t_1_a.1tb.1t <= 3",
      "3 t_1_a.1tb.1t <= 3",
  };
  EXPECT_EQ(run.constraints(), expected);

  // The circular chromosomes' texts start with a blank; they store as the same text
  // without it would.
  testutil::RowCollector direct;
  direct.addText("Subject To", " + 2 z_a.1.1 + 2 z_b.1.1 - u_2_a.1hb.1h >= 0");
  direct.addText("Subject To", " + 3 z_a.1.1 + 3 z_b.1.1 - u_2_a.1tb.1t >= 0");
  const Lines stored = direct.lines("Subject To");
  EXPECT_EQ(stored, (Lines{expected[0], expected[1]}));

  EXPECT_EQ(testutil::generalNames(run.storage),
            (std::vector<std::string_view>{"u_1_a.1hb.1t", "u_2_a.1hb.1h", "u_2_a.1tb.1t"}));
  EXPECT_EQ(testutil::binaryNames(run.storage),
            (std::vector<std::string_view>{
                "t_1_a.1ha.1t", "t_1_a.1hb.1h", "t_1_a.1hb.1t", "t_1_a.1tb.1h", "t_1_a.1tb.1t",
                "t_1_b.1hb.1t", "t_2_a.1ha.1t", "t_2_a.1hb.1h", "t_2_a.1hb.1t", "t_2_a.1tb.1t",
                "t_2_b.1hb.1t", "z_a.1.1", "z_b.1.1"}));
}

// {a.1h, b.1t} is in both structures: one entry with second's number 2 and
// id, bounding second's name only. second's label rows of it use 2, first's
// use the highest number, 3, so that no cycle through first's node has its
// label capped below the numbers of the nodes it passes.
TEST(UVariablesTest, AnAdjacencyInBothStructuresLabelsTheFirstsNodeByTheHighestNumber) {
  const Structure first = structure(1, {linear({"+a.1", "+b.1"})});
  const Structure second = structure(2, {linear({"+a.1", "+b.1", "+c.1"})});
  const URun run(first, second);
  EXPECT_EQ(run.bounds(), (Lines{"u_2_a.1hb.1t >= 0", "u_2_a.1hb.1t <= 2", "u_2_b.1hc.1t >= 0",
                                 "u_2_b.1hc.1t <= 3"}));
  Lines firstsLabel;
  for (const std::string& line : run.constraints()) {
    if (line.find("u_1_") != std::string::npos) firstsLabel.push_back(line);
  }
  EXPECT_EQ(firstsLabel, (Lines{
                             // joined to first's chromosome ends a.1t and b.1h
                             "3 t_2_a.1ha.1t + u_1_a.1hb.1t <= 3",
                             "3 t_2_a.1tb.1t + u_1_a.1hb.1t <= 3",
                             "3 t_2_a.1hb.1h + u_1_a.1hb.1t <= 3",
                             "3 t_2_b.1hb.1t + u_1_a.1hb.1t <= 3",
                             // matched with second's node, each row by its own u
                             "u_1_a.1hb.1t - u_2_a.1hb.1t + 3 z_a.1.1 <= 3",
                             "- u_1_a.1hb.1t + u_2_a.1hb.1t + 2 z_a.1.1 <= 2",
                             "u_1_a.1hb.1t - u_2_a.1hb.1t + 3 z_b.1.1 <= 3",
                             "- u_1_a.1hb.1t + u_2_a.1hb.1t + 2 z_b.1.1 <= 2",
                         }));
  // first's node with itself: the u names cancel, the number stays.
  const Lines lines = run.constraints();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "3 t_2_a.1hb.1t <= 3"), 4);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "2 t_1_a.1hb.1t <= 2"), 4);
  EXPECT_EQ(testutil::generalNames(run.storage),
            (std::vector<std::string_view>{"u_1_a.1hb.1t", "u_2_a.1hb.1t", "u_2_b.1hc.1t"}));
}

// A shared adjacency on first's circular chromosome: its circular row and
// the end-matching rows against second's chromosome ends use the highest number.
TEST(UVariablesTest, SharedAdjacencyOnACircularChromosomeOfTheFirst) {
  const Structure first = structure(1, {circular({"+a.1", "+b.1"})});
  const Structure second = structure(2, {linear({"+b.1", "+a.1", "+b.2"})});
  const URun run(first, second);
  // Numbers: first {a.1h, b.1t} 1, {a.1t, b.1h} 2; second {a.1t, b.1h} 3
  // (shared), {a.1h, b.2t} 4.
  const Lines lines = run.constraints();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "- u_1_a.1hb.1t + z_a.1.1 + z_b.1.1 + z_b.1.2 >= 0");
  EXPECT_EQ(lines[1], "- u_1_a.1tb.1h + 4 z_a.1.1 + 4 z_b.1.1 + 4 z_b.1.2 >= 0");
  // second's left end b.1t fits first's b.1t, its right end b.2h fits b.1h.
  EXPECT_EQ(lines[2], "u_1_a.1hb.1t + z_b.1.1 <= 1");
  EXPECT_EQ(lines[3], "u_1_a.1tb.1h + 4 z_b.1.2 <= 4");
}

TEST(UVariablesTest, BoundsFollowKeyOrderNotNumberOrder) {
  const Structure first = structure(1, {linear({"+c.1", "+d.1", "+e.1"})});
  const Structure second = structure(2, {linear({"+a.10", "+b.1"}), linear({"+a.2", "+b.2"})});
  const URun run(first, second);
  EXPECT_EQ(run.bounds(), (Lines{
                              "u_2_a.10hb.1t >= 0",
                              "u_2_a.10hb.1t <= 3",
                              "u_2_a.2hb.2t >= 0",
                              "u_2_a.2hb.2t <= 4",
                              "u_1_c.1hd.1t >= 0",
                              "u_1_c.1hd.1t <= 1",
                              "u_1_d.1he.1t >= 0",
                              "u_1_d.1he.1t <= 2",
                          }));
}

TEST(UVariablesTest, CircularChromosomeOfOneGeneGetsOneLineWithItsOwnZNames) {
  const Structure first = structure(1, {circular({"+a.1"})});
  const Structure second = structure(2, {circular({"+a.1", "+a.2"})});
  const URun run(first, second);
  const Lines lines = run.constraints();
  // first: {a.1h, a.1t} number 1; second: {a.1h, a.2t} 2, {a.1t, a.2h} 3.
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "- u_1_a.1ha.1t + z_a.1.1 + z_a.1.2 >= 0");
  EXPECT_EQ(lines[1], "- u_2_a.1ha.2t + 2 z_a.1.1 + 2 z_a.1.2 >= 0");
  EXPECT_EQ(lines[2], "- u_2_a.1ta.2h + 3 z_a.1.1 + 3 z_a.1.2 >= 0");
  // No linear chromosome: no end matching or end connections; matching across comes next.
  EXPECT_EQ(lines[3], "u_1_a.1ha.1t - u_2_a.1ha.2t + z_a.1.1 <= 1");
}

TEST(UVariablesTest, EndMatchingTestsNameAndEndOnly) {
  // first's adjacencies: {a.1t, b.1h} 1, {a.1h, c.1t} 2, {a.3h, c.1h} 3,
  // {a.3t, d.1t} 4; second's chromosome a.2 has the ends a.2t and a.2h.
  {
    const Structure first = structure(1, {linear({"+b.1", "+a.1", "+c.1", "-a.3", "+d.1"})});
    const Structure second = structure(2, {linear({"+a.2"})});
    const URun run(first, second);
    Lines zLines;
    for (const std::string& line : run.constraints()) {
      if (line.find("z_") != std::string::npos) zLines.push_back(line);
    }
    EXPECT_EQ(zLines, (Lines{
                          "u_1_a.1tb.1h + z_a.1.2 <= 1",
                          "u_1_a.3td.1t + 4 z_a.3.2 <= 4",
                          "u_1_a.1hc.1t + 2 z_a.1.2 <= 2",
                          "u_1_a.3hc.1h + 3 z_a.3.2 <= 3",
                      }));
  }
  // The same with the structures swapped: the end now belongs to first, so
  // its index comes first in the z names.
  {
    const Structure first = structure(1, {linear({"+a.2"})});
    const Structure second = structure(2, {linear({"+b.1", "+a.1", "+c.1", "-a.3", "+d.1"})});
    const URun run(first, second);
    Lines zLines;
    for (const std::string& line : run.constraints()) {
      if (line.find("z_") != std::string::npos) zLines.push_back(line);
    }
    EXPECT_EQ(zLines, (Lines{
                          "u_2_a.1tb.1h + z_a.2.1 <= 1",
                          "u_2_a.3td.1t + 4 z_a.2.3 <= 4",
                          "u_2_a.1hc.1t + 2 z_a.2.1 <= 2",
                          "u_2_a.3hc.1h + 3 z_a.2.3 <= 3",
                      }));
  }
}

TEST(UVariablesTest, EndConnectionsGiveFourLinesPerAdjacencyAndLinearChromosome) {
  // first: 4 adjacencies (2 linear, 2 circular), two linear chromosomes with
  // genes, plus empty chromosomes that contribute nothing.
  const Structure first =
      structure(1, {linear({"+a.1", "+b.1", "+c.1"}), linear({"+d.1"}), linear({}),
                    circular({"+e.1", "-f.1"}), circular({})});
  // second: 5 adjacencies, one linear chromosome.
  const Structure second =
      structure(2, {linear({"+a.1", "+b.1", "+c.1", "+d.1", "+e.1", "+f.1"}), linear({})});
  const URun run(first, second);
  const Lines lines = run.constraints();
  EXPECT_EQ(endConnectionLines(lines), 2u * 4u * 4u + 1u * 4u * 5u);
  // The first step-4 line: the left end a.1t joined to {a.1h, b.1t}, which
  // second also has (numbered 5 there): first's label rows of it use the
  // highest number, 9.
  const auto firstT = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.rfind("t_", 0) == 0 || line.find(" t_") != std::string::npos;
  });
  ASSERT_NE(firstT, lines.end());
  EXPECT_EQ(*firstT, "9 t_2_a.1ha.1t + u_1_a.1hb.1t <= 9");
}

TEST(UVariablesTest, InnerConnectionsGiveEightNSquaredMinusFourNLines) {
  const Structure first = structure(1, {linear({"+a.1", "+b.1", "+c.1"}), circular({"+d.1", "+e.1", "-a.2"})});
  const Structure second = structure(2, {circular({"+a.1", "+b.1", "+c.1"}), linear({"+d.1", "+a.2", "+e.1"})});
  // n = 5 for each structure.
  const URun run(first, second);
  const size_t n = 5;
  EXPECT_EQ(innerConnectionLines(run.constraints()), 2 * (8 * n * n - 4 * n));
}

TEST(UVariablesTest, StructuresWithoutAdjacenciesGiveNothingButTheProgressLine) {
  const Structure first = structure(1, {linear({"+a.1"}), linear({})});
  const Structure second = structure(2, {circular({}), linear({"+a.1"})});
  const URun run(first, second);
  EXPECT_TRUE(run.bounds().empty());
  EXPECT_TRUE(run.constraints().empty());
  EXPECT_TRUE(testutil::generalNames(run.storage).empty());
  EXPECT_TRUE(testutil::binaryNames(run.storage).empty());
}

}  // namespace
}  // namespace paralog
