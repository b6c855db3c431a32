#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ilp/generators.h"
#include "support/declared_names.h"
#include "support/row_collector.h"
#include "support/structure_builders.h"

namespace paralog {
namespace {

using testutil::names;

// A structure of one linear chromosome.
Structure linearStructure(int32_t id, std::initializer_list<std::string_view> tokens) {
  return testutil::structure(id, {testutil::linear(tokens)});
}

using Lines = std::vector<std::string>;

void run(testutil::RowCollector& task, const Structure& first, const Structure& second,
         VariablesStorage& storage) {
  generateLVariables(task, first, second, storage);
}

TEST(LVariablesTest, WorkedExampleLineByLine) {
  const Structure first = linearStructure(0, {"+a.1"});
  const Structure second = linearStructure(5, {"+a.1", "+a.2"});
  testutil::RowCollector task;
  VariablesStorage storage;
  run(task, first, second, storage);

  EXPECT_EQ(task.lines("Subject To"),
            (Lines{"l_a.1t + z_a.1.1 + z_a.1.2 >= 0",
                   "l_a.1t - z_a.1.1 - z_a.1.2 <= 0",
                   "l_a.1t - r_0_a.1t + 2 z_a.1.1 + 2 z_a.1.2 <= 2",
                   "- l_a.1t + r_0_a.1t + 2 z_a.1.1 + 2 z_a.1.2 <= 2",
                   "l_a.1h + z_a.1.1 + z_a.1.2 >= 0",
                   "l_a.1h - z_a.1.1 - z_a.1.2 <= 0",
                   "l_a.1h - r_0_a.1h + 2 z_a.1.1 + 2 z_a.1.2 <= 2",
                   "- l_a.1h + r_0_a.1h + 2 z_a.1.1 + 2 z_a.1.2 <= 2"}));
  // Without its bounds an l value could not be -1 in any LP reader.
  EXPECT_EQ(task.lines("Bounds"),
            (Lines{"l_a.1t >= -1", "l_a.1t <= 1", "l_a.1h >= -1", "l_a.1h <= 1"}));
  EXPECT_EQ(names(testutil::generalNames(storage)),
            (Lines{"l_a.1h", "l_a.1t", "r_0_a.1h", "r_0_a.1t"}));
  EXPECT_EQ(names(testutil::binaryNames(storage)), (Lines{"z_a.1.1", "z_a.1.2"}));
}

TEST(LVariablesTest, WalksCopiesInNameOrderNotChromosomeOrder) {
  const Structure first = linearStructure(3, {"+b.1", "-a.1"});
  const Structure second = linearStructure(3, {"+a.1", "+b.1"});
  testutil::RowCollector task;
  VariablesStorage storage;
  run(task, first, second, storage);

  const Lines lines = task.lines("Subject To");
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[0], "l_a.1t + z_a.1.1 >= 0");
  EXPECT_EQ(lines[4], "l_a.1h + z_a.1.1 >= 0");
  EXPECT_EQ(lines[8], "l_b.1t + z_b.1.1 >= 0");
  EXPECT_EQ(lines[13], "l_b.1h - z_b.1.1 <= 0");
  EXPECT_EQ(lines[15], "- l_b.1h + r_3_b.1h + 2 z_b.1.1 <= 2");
}

TEST(LVariablesTest, CopyListedTwiceInFirstRepeatsAllItsLines) {
  const Structure first = linearStructure(1, {"+a.1", "+a.1"});
  const Structure second = linearStructure(2, {"+a.1"});
  testutil::RowCollector task;
  VariablesStorage storage;
  run(task, first, second, storage);

  const Lines once = {"l_a.1t + z_a.1.1 >= 0",
                      "l_a.1t - z_a.1.1 <= 0",
                      "l_a.1t - r_1_a.1t + 2 z_a.1.1 <= 2",
                      "- l_a.1t + r_1_a.1t + 2 z_a.1.1 <= 2",
                      "l_a.1h + z_a.1.1 >= 0",
                      "l_a.1h - z_a.1.1 <= 0",
                      "l_a.1h - r_1_a.1h + 2 z_a.1.1 <= 2",
                      "- l_a.1h + r_1_a.1h + 2 z_a.1.1 <= 2"};
  Lines twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(task.lines("Subject To"), twice);
  const Lines bounds = {"l_a.1t >= -1", "l_a.1t <= 1", "l_a.1h >= -1", "l_a.1h <= 1"};
  EXPECT_EQ(task.lines("Bounds"), (Lines{bounds[0], bounds[1], bounds[2], bounds[3], bounds[0],
                                         bounds[1], bounds[2], bounds[3]}));
  EXPECT_EQ(names(testutil::generalNames(storage)),
            (Lines{"l_a.1h", "l_a.1t", "r_1_a.1h", "r_1_a.1t"}));
}

TEST(LVariablesTest, CopyListedTwiceInSecondMergesCoefficients) {
  const Structure first = linearStructure(1, {"+a.1"});
  const Structure second = linearStructure(2, {"+a.1", "-a.1"});
  testutil::RowCollector task;
  VariablesStorage storage;
  run(task, first, second, storage);

  EXPECT_EQ(task.lines("Subject To"),
            (Lines{"l_a.1t + 2 z_a.1.1 >= 0",
                   "l_a.1t - 2 z_a.1.1 <= 0",
                   "l_a.1t - r_1_a.1t + 4 z_a.1.1 <= 2",
                   "- l_a.1t + r_1_a.1t + 4 z_a.1.1 <= 2",
                   "l_a.1h + 2 z_a.1.1 >= 0",
                   "l_a.1h - 2 z_a.1.1 <= 0",
                   "l_a.1h - r_1_a.1h + 4 z_a.1.1 <= 2",
                   "- l_a.1h + r_1_a.1h + 4 z_a.1.1 <= 2"}));
}

TEST(LVariablesTest, FirstStructureWithoutGenesAddsNothing) {
  Structure first;
  first.id = 1;
  first.chromosomes.push_back(Chromosome{true, {}});
  const Structure second = linearStructure(2, {"+a.1"});
  testutil::RowCollector task;
  VariablesStorage storage;
  run(task, first, second, storage);
  EXPECT_TRUE(task.lines("Subject To").empty());
  EXPECT_TRUE(testutil::generalNames(storage).empty());
  EXPECT_TRUE(testutil::binaryNames(storage).empty());
}

}  // namespace
}  // namespace paralog
