#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

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

// The two calls generateProgram makes.
void runBoth(testutil::RowCollector& task, VariablesStorage& storage, const Structure& first,
             const Structure& second) {
  generateOVariables(task, storage, first, second, firstGeneMatchSum);
  generateOVariables(task, storage, second, first, secondGeneMatchSum);
}

TEST(OVariablesTest, WorkedExample) {
  const Structure first = structure(1, {linear({"+a.1", "+b.1"}), circular({"+a.2", "+c.1"})});
  const Structure second = structure(2, {circular({"+a.1", "+c.1"}), circular({"+b.1"})});
  testutil::RowCollector task;
  VariablesStorage storage;
  runBoth(task, storage, first, second);

  EXPECT_EQ(task.lines("Subject To"), (Lines{"2 o_1_1 + z_a.2.1 + z_c.1.1 <= 2",
                                             "2 o_2_0 + z_a.1.1 + z_a.2.1 + z_c.1.1 <= 2"}));
  EXPECT_TRUE(task.lines("Bounds").empty());
  EXPECT_EQ(names(testutil::generalNames(storage)), (Lines{"o_1_1", "o_2_0"}));
  EXPECT_EQ(names(testutil::binaryNames(storage)), (Lines{"z_a.1.1", "z_a.2.1", "z_c.1.1"}));
}

TEST(OVariablesTest, PositionCountsSkippedChromosomes) {
  // Positions 0 (circular, one gene), 1 (linear), 2 (circular, empty) get
  // nothing; position 3 gets o_4_3.
  const Structure own = structure(4, {circular({"+a.1"}), linear({"+b.1", "+c.1"}), circular({}),
                                      circular({"+a.2", "-b.2", "+c.1"})});
  const Structure other = structure(5, {linear({"+a.1", "+a.2", "+b.1", "+b.2", "+c.1"})});
  testutil::RowCollector task;
  VariablesStorage storage;
  generateOVariables(task, storage, own, other, firstGeneMatchSum);

  EXPECT_EQ(task.lines("Subject To"),
            (Lines{"3 o_4_3 + z_a.2.1 + z_a.2.2 + z_b.2.1 + z_b.2.2 + z_c.1.1 <= 3"}));
}

TEST(OVariablesTest, NoCircularChromosomeAddsNothing) {
  const Structure first = structure(1, {linear({"+a.1", "+b.1"})});
  const Structure second = structure(2, {linear({"+b.1", "+a.1"}), circular({})});
  testutil::RowCollector task;
  VariablesStorage storage;
  runBoth(task, storage, first, second);
  EXPECT_TRUE(task.lines("Subject To").empty());
  EXPECT_TRUE(testutil::generalNames(storage).empty());
}

TEST(OVariablesTest, SameIdGivesOneNameWithTheWeightOfTheSecondCall) {
  const Structure first = structure(1, {circular({"+a.1", "+b.1"})});
  const Structure second = structure(1, {circular({"+a.1", "-b.1", "+a.2"})});
  testutil::RowCollector task;
  VariablesStorage storage;
  runBoth(task, storage, first, second);

  EXPECT_EQ(task.lines("Subject To"), (Lines{"2 o_1_0 + z_a.1.1 + z_a.1.2 + z_b.1.1 <= 2",
                                             "3 o_1_0 + z_a.1.1 + z_a.1.2 + z_b.1.1 <= 3"}));
  EXPECT_EQ(names(testutil::generalNames(storage)), (Lines{"o_1_0"}));
}

TEST(OVariablesTest, CopyRepeatedOnOneChromosomeGetsCoefficientTwo) {
  const Structure first = structure(1, {circular({"+a.1", "+b.1", "-a.1"})});
  const Structure second = structure(2, {linear({"+a.1", "+b.1"})});
  testutil::RowCollector task;
  VariablesStorage storage;
  generateOVariables(task, storage, first, second, firstGeneMatchSum);
  EXPECT_EQ(task.lines("Subject To"), (Lines{"3 o_1_0 + 2 z_a.1.1 + z_b.1.1 <= 3"}));
}

// A gene the other structure lacks counts in the gene count, without a z term.
TEST(OVariablesTest, GeneMissingFromOtherHasNoZTerm) {
  const Structure own = structure(1, {circular({"+a.1", "+b.1"})});
  const Structure other = structure(2, {linear({"+a.1"})});
  testutil::RowCollector task;
  VariablesStorage storage;
  generateOVariables(task, storage, own, other, firstGeneMatchSum);
  EXPECT_EQ(task.lines("Subject To"), (Lines{"2 o_1_0 + z_a.1.1 <= 2"}));
}

}  // namespace
}  // namespace paralog
