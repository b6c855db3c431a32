// The compact model's file (--write-model) as every output is written: the
// same bytes to a file, to standard output and (decompressed) to a ".gz"
// file, with or beside the LP file, which stays as it was; names only of
// the documented shapes; --match-all's rows; refused where the genomes have
// no compact model.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>

#include "support/failing_run.h"
#include "support/gunzip.h"
#include "support/run_program.h"

namespace paralog {
namespace {

using testutil::ProgramRun;
using testutil::runExecutable;
using testutil::TempDirectory;

size_t countLines(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

TEST(ModelFileTest, WrittenAlikeToEveryKindOfOutput) {
  TempDirectory directory;
  directory.write("in.txt", testutil::readFile(testutil::sourcePath("examples/worked-example.txt")));
  ASSERT_EQ(runExecutable(directory.path(), {"-i", "in.txt", "-o", "alone.lp"}).exitStatus, 0);
  const ProgramRun both =
      runExecutable(directory.path(), {"-i", "in.txt", "-o", "with.lp", "--write-model", "model.lp"});
  ASSERT_EQ(both.exitStatus, 0) << both.err;
  EXPECT_EQ(directory.read("with.lp"), directory.read("alone.lp"));
  const std::string model = directory.read("model.lp");
  const ProgramRun piped = runExecutable(directory.path(), {"-i", "in.txt", "--write-model", "-"});
  ASSERT_EQ(piped.exitStatus, 0) << piped.err;
  EXPECT_EQ(piped.out, model);
  EXPECT_THAT(piped.err, ::testing::EndsWith("Writing the compact model...\nDone\n"));
  ASSERT_EQ(runExecutable(directory.path(), {"-i", "in.txt", "--write-model", "model.lp.gz"}).exitStatus, 0);
  EXPECT_EQ(testutil::gunzip(directory.read("model.lp.gz")), model);

  // Every name in the declarations and bounds is of a documented shape,
  // no line is longer than the portable layout allows.
  const std::regex name(R"((m_[a-c]\.\d\.\d|d_\d_\d|[yc]_\d_[a-c]\.\d[th][a-c]\.\d[th]|s_\d_[a-c]\.\d[th][a-c]\.\d[th]_\d|(kt|kf|q|te|to|be|bo|cl|tt)_\d_[a-c]\.\d[th]|h|x_\d|w_[01]{3}))");
  std::istringstream lines(model);
  std::string line;
  size_t declared = 0;
  bool declarations = false;
  while (std::getline(lines, line)) {
    EXPECT_LE(line.size(), 510u);
    if (line == "Binary" || line == "General" || line == "Bounds") declarations = true;
    if (!declarations || line.empty() || line[0] != '\t') continue;
    const std::string first = line.substr(1, line.find(' ', 1) - 1);
    EXPECT_TRUE(std::regex_match(first, name)) << line;
    ++declared;
  }
  EXPECT_GT(declared, 20u);
  EXPECT_THAT(model, ::testing::EndsWith("\nEnd\n"));

  // One more row per gene family with every family matched.
  const ProgramRun all =
      runExecutable(directory.path(), {"-i", "in.txt", "--match-all", "--write-model", "-"});
  ASSERT_EQ(all.exitStatus, 0) << all.err;
  EXPECT_EQ(countLines(all.out), countLines(model) + 3);
  EXPECT_THAT(all.out, ::testing::HasSubstr("\tm_a.1.1 + m_a.1.2 + m_a.2.1 + m_a.2.2 = 2\n"));
}

TEST(ModelFileTest, RefusedWithoutACompactModel) {
  testutil::FailingRun failing("0\n2\nx 1 : 1 :\nL 2 : +a.1+a.1;\ny 2 : 1 :\nL 1 : +a.1;\n");
  const ProgramRun run = failing.run({"-i", "in.txt", "--write-model", "out.lp"});
  EXPECT_THAT(testutil::errorOf(run, 1), ::testing::HasSubstr("--write-model: these genomes have no compact model"));
  failing.expectUntouched();
}

}  // namespace
}  // namespace paralog
