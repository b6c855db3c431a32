// Whole-program golden tests: the built executable runs on each small input
// under tests/data/golden/ and must write exactly the expected LP file and
// standard output next to it. Every expected line was derived by hand from
// the rules of the generators, not recorded from a run.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "support/run_program.h"

namespace paralog {
namespace {

using testutil::ProgramRun;
using testutil::runExecutable;
using testutil::TempDirectory;

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

// Byte-for-byte comparison that, on a mismatch, names the first differing
// line instead of printing two whole files.
::testing::AssertionResult sameText(const std::string& expected, const std::string& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  const std::vector<std::string> want = splitLines(expected);
  const std::vector<std::string> got = splitLines(actual);
  const size_t common = std::min(want.size(), got.size());
  size_t line = 0;
  while (line < common && want[line] == got[line]) ++line;
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  failure << "texts differ (expected " << expected.size() << " bytes in " << want.size()
          << " lines, got " << actual.size() << " bytes in " << got.size() << " lines); ";
  if (line < common) {
    failure << "first difference at line " << line + 1 << ":\n  expected: \"" << want[line]
            << "\"\n  actual:   \"" << got[line] << "\"";
  } else {
    failure << "one is a prefix of the other up to line " << line;
  }
  return failure;
}

class GoldenTest : public ::testing::TestWithParam<const char*> {
 protected:
  static std::string goldenFile(const std::string& extension) {
    return testutil::readFile(
        testutil::sourcePath(std::string("tests/data/golden/") + GetParam() + extension));
  }
  // The expected standard error: the .stderr file where there is one, else nothing.
  static std::string expectedErrors() {
    std::ifstream file(testutil::sourcePath(std::string("tests/data/golden/") + GetParam() +
                                            ".stderr"));
    return file ? goldenFile(".stderr") : "";
  }
};

TEST_P(GoldenTest, WritesTheExpectedProgramAndProgress) {
  TempDirectory directory;
  directory.write("in.txt", goldenFile(".txt"));
  const ProgramRun run = runExecutable(directory.path(), {"-i", "in.txt", "-o", "out.lp"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err, expectedErrors());
  EXPECT_TRUE(sameText(goldenFile(".stdout"), run.out));
  EXPECT_TRUE(sameText(goldenFile(".lp"), directory.read("out.lp")));
}

// worked_example: first (id 1) linear +a.1 +b.1, second (id 2) circular
//   +a.1 -b.1, the pair the adjacency-based families use as their example.
// paralogs_circular: two copies of one gene on a circular chromosome of the
//   first structure against a single copy on a linear one.
// third_structure: worked_example's input with a third structure that is
//   read but does not change the output, although it shares the second's id
//   (its expected files equal worked_example's); a note on standard error
//   says it was ignored.
INSTANTIATE_TEST_SUITE_P(SmallInputs, GoldenTest,
                         ::testing::Values("worked_example", "paralogs_circular",
                                           "third_structure"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

// keep_unshared: first linear +a.1 +x.1, second linear +a.1, with
// --keep-unshared. x has no z variable: every row that names the z of a
// copy reads, for x, as that row with its z at 0 (x's ends must be joined,
// its l values are 0). Checked line by line against those rules.
TEST(GoldenKeepUnsharedTest, CopiesWithoutPartnerHaveNoZTerms) {
  TempDirectory directory;
  const std::string golden = "tests/data/golden/keep_unshared";
  directory.write("in.txt", testutil::readFile(testutil::sourcePath(golden + ".txt")));
  const ProgramRun run = runExecutable(directory.path(), {"-i", "in.txt", "-o", "out.lp", "--keep-unshared"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(sameText(testutil::readFile(testutil::sourcePath(golden + ".stdout")), run.out));
  EXPECT_TRUE(sameText(testutil::readFile(testutil::sourcePath(golden + ".lp")), directory.read("out.lp")));
}

TEST(GoldenDataTest, ThirdStructureCaseExpectsTheWorkedExamplesOutput) {
  // Keeps the two copies of the expected files from drifting apart.
  const std::string dir = "tests/data/golden/";
  for (const char* extension : {".lp", ".stdout"}) {
    EXPECT_EQ(testutil::readFile(testutil::sourcePath(dir + "third_structure" + extension)),
              testutil::readFile(testutil::sourcePath(dir + "worked_example" + extension)))
        << extension;
  }
}

}  // namespace
}  // namespace paralog
