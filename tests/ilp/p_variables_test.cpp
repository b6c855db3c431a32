#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ilp/generators.h"
#include "support/declared_names.h"
#include "support/row_collector.h"
#include "support/structure_builders.h"

namespace paralog {
namespace {

using Lines = std::vector<std::string>;
using Names = std::vector<std::string_view>;

using testutil::circular;
using testutil::linear;
using testutil::structure;

struct PRun {
  testutil::RowCollector task;
  VariablesStorage storage;

  PRun(const Structure& first, const Structure& second) {
    generatePVariables(task, first, second, storage);
  }
};

TEST(PVariablesTest, WorkedExample) {
  const PRun run(structure(1, {linear({"+a.1", "+b.1"})}),
                 structure(2, {circular({"+a.1", "-b.1"})}));
  EXPECT_EQ(run.task.lines("Subject To"), (Lines{
                                              "- 2 p_2_a.1hb.1h + u_2_a.1hb.1h >= 0",
                                              "- p_1_a.1hb.1t + u_1_a.1hb.1t >= 0",
                                              "- 3 p_2_a.1tb.1t + u_2_a.1tb.1t >= 0",
                                          }));
  EXPECT_TRUE(run.task.lines("Bounds").empty());
  EXPECT_EQ(testutil::binaryNames(run.storage),
            (Names{"p_1_a.1hb.1t", "p_2_a.1hb.1h", "p_2_a.1tb.1t"}));
  EXPECT_EQ(testutil::generalNames(run.storage),
            (Names{"u_1_a.1hb.1t", "u_2_a.1hb.1h", "u_2_a.1tb.1t"}));
}

TEST(PVariablesTest, AnAdjacencyInBothStructuresGetsOneVariableUnderTheSecondsId) {
  const PRun run(structure(1, {linear({"+a.1", "+b.1"})}),
                 structure(2, {linear({"+a.1", "+b.1"})}));
  EXPECT_EQ(run.task.lines("Subject To"), Lines{"- 2 p_2_a.1hb.1t + u_2_a.1hb.1t >= 0"});
  EXPECT_EQ(testutil::binaryNames(run.storage), Names{"p_2_a.1hb.1t"});
}

TEST(PVariablesTest, LinesFollowKeyOrderNotNumberOrder) {
  const PRun run(structure(1, {linear({"+c.1", "+d.1", "+e.1"})}),
                 structure(2, {linear({"+a.2", "+b.1"}), circular({"+a.10"})}));
  EXPECT_EQ(run.task.lines("Subject To"), (Lines{
                                              "- 4 p_2_a.10ha.10t + u_2_a.10ha.10t >= 0",
                                              "- 3 p_2_a.2hb.1t + u_2_a.2hb.1t >= 0",
                                              "- p_1_c.1hd.1t + u_1_c.1hd.1t >= 0",
                                              "- 2 p_1_d.1he.1t + u_1_d.1he.1t >= 0",
                                          }));
}

TEST(PVariablesTest, NoAdjacencyGivesNoLineButTheProgressLine) {
  const PRun run(structure(1, {linear({"+a.1"}), linear({"+b.1"}), linear({})}),
                 structure(2, {linear({"+b.1"}), linear({"+a.1"}), circular({})}));
  EXPECT_TRUE(run.task.lines("Subject To").empty());
  EXPECT_TRUE(testutil::binaryNames(run.storage).empty());
  EXPECT_TRUE(testutil::generalNames(run.storage).empty());
}

TEST(PVariablesTest, NamesTheSameULabelsTheUGeneratorBounds) {
  const Structure first = structure(1, {linear({"+a.1", "-b.1", "+c.1"}), circular({"+d.1"})});
  const Structure second = structure(7, {circular({"+b.1", "+a.1", "-d.1"}), linear({"+c.1"})});
  testutil::RowCollector task;
  VariablesStorage uStorage;
  generateUVariables(task, first, second, uStorage);
  // Every bounded u name (the "... >= 0" bounds) is one the P lines use.
  Lines bounded;
  for (const std::string& line : task.lines("Bounds")) {
    if (line.size() > 5 && line.compare(line.size() - 5, 5, " >= 0") == 0) {
      bounded.push_back(line.substr(0, line.size() - 5));
    }
  }
  const PRun run(first, second);
  Lines used;
  for (const std::string_view name : testutil::generalNames(run.storage)) used.emplace_back(name);
  std::sort(bounded.begin(), bounded.end());
  EXPECT_EQ(bounded, used);
  EXPECT_EQ(run.task.lines("Subject To").size(), bounded.size());
}

}  // namespace
}  // namespace paralog
