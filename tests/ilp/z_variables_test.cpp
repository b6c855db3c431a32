#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ilp/generators.h"
#include "support/declared_names.h"
#include "support/row_collector.h"
#include "support/structure_builders.h"

namespace paralog {
namespace {

using testutil::kCircular;
using testutil::kLinear;
using testutil::makeStructure;

using Lines = std::vector<std::string>;

struct ZRun {
  Lines lines;
  Lines binary;
};

ZRun runZ(const Structure& first, const Structure& second) {
  testutil::RowCollector task;
  VariablesStorage storage;
  generateZVariables(task, first, second, storage);
  ZRun run;
  run.lines = task.lines("Subject To");
  for (std::string_view name : testutil::binaryNames(storage)) run.binary.emplace_back(name);
  EXPECT_TRUE(testutil::generalNames(storage).empty());
  EXPECT_TRUE(task.lines("Bounds").empty());
  return run;
}

TEST(ZVariablesTest, WorkedExample) {
  const Structure first = makeStructure(1, {{kLinear, "+a.1 +b.1 +a.2"}});
  const Structure second = makeStructure(2, {{kLinear, "+a.1 +b.1 +c.1"}});
  const ZRun run = runZ(first, second);
  EXPECT_EQ(run.lines, (Lines{"z_a.1.1 <= 1", "z_a.2.1 <= 1", "z_b.1.1 <= 1",
                              "z_a.1.1 + z_a.2.1 <= 1", "z_b.1.1 <= 1"}));
  EXPECT_EQ(run.binary, (Lines{"z_a.1.1", "z_a.2.1", "z_b.1.1"}));
}

// Lines follow the copy lists; terms within a line come out in byte order.
TEST(ZVariablesTest, LinesFollowCopyListsAcrossChromosomes) {
  const Structure first = makeStructure(1, {{kCircular, "-g.10 +g.2"}, {kLinear, "+g.1"}});
  const Structure second = makeStructure(2, {{kLinear, "+g.3"}, {kCircular, "-g.1"}});
  const ZRun run = runZ(first, second);
  EXPECT_EQ(run.lines,
            (Lines{"z_g.10.1 + z_g.10.3 <= 1", "z_g.2.1 + z_g.2.3 <= 1", "z_g.1.1 + z_g.1.3 <= 1",
                   "z_g.1.3 + z_g.10.3 + z_g.2.3 <= 1", "z_g.1.1 + z_g.10.1 + z_g.2.1 <= 1"}));
  EXPECT_EQ(run.binary.size(), 6u);
}

TEST(ZVariablesTest, CopyWrittenTwiceRepeatsItsLineAndDoublesItsTerm) {
  const Structure first = makeStructure(1, {{kLinear, "+a.1 -a.1"}});
  const Structure second = makeStructure(2, {{kLinear, "+a.1"}});
  const ZRun run = runZ(first, second);
  EXPECT_EQ(run.lines, (Lines{"z_a.1.1 <= 1", "z_a.1.1 <= 1", "2 z_a.1.1 <= 1"}));
  EXPECT_EQ(run.binary, (Lines{"z_a.1.1"}));
}

TEST(ZVariablesTest, GenesOfOneStructureOnlyGiveNothing) {
  const Structure first = makeStructure(1, {{kLinear, "+a.1 +x.1"}});
  const Structure second = makeStructure(2, {{kLinear, "+y.1 +a.1"}});
  const ZRun run = runZ(first, second);
  EXPECT_EQ(run.lines, (Lines{"z_a.1.1 <= 1", "z_a.1.1 <= 1"}));
  EXPECT_EQ(run.binary, (Lines{"z_a.1.1"}));

  const ZRun disjoint = runZ(makeStructure(1, {{kLinear, "+p.1"}}),
                             makeStructure(2, {{kCircular, "+q.1"}, {kLinear, ""}}));
  EXPECT_TRUE(disjoint.lines.empty());
  EXPECT_TRUE(disjoint.binary.empty());
}

}  // namespace
}  // namespace paralog
