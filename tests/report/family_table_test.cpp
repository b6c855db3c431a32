// --families as a user runs it: the per-family counts of a solved pair with
// paralogs and names the LP file holds escaped, worked out by hand; the same
// table from the solution file read back; refusals that write nothing.

#include <gtest/gtest.h>

#include <string>

#include "support/failing_run.h"
#include "support/run_program.h"

namespace paralog {
namespace {

using testutil::runExecutable;

// Collinear but for one more copy of tRNA in A and of b in B, each alone on
// a chromosome of its own, so that every optimum matches one copy of every
// family (beside the collinear copies, an extra copy could tie with them). The families stand in the
// order of their z names: z_b., z_tRNA!., z_tRNA., z_tRNA~2DLeu. ("!" sorts
// before "."), not in the report's order of the names as written.
constexpr const char* kPair = ">A\ntRNA! tRNA -tRNA-Leu b |\ntRNA |\n>B\ntRNA! tRNA -tRNA-Leu b |\nb |\n";
constexpr const char* kFamilies =
    "family\tfirst_copies\tsecond_copies\tmatched\tunmatched_first\tunmatched_second\n"
    "b\t1\t2\t1\t0\t1\n"
    "tRNA!\t1\t1\t1\t0\t0\n"
    "tRNA\t2\t1\t1\t1\t0\n"
    "tRNA-Leu\t1\t1\t1\t0\t0\n";

TEST(FamilyTableTest, CountsEachFamilyOfTheSolvedPair) {
  testutil::TempDirectory directory;
  directory.write("in.txt", kPair);
  const testutil::ProgramRun solved = runExecutable(
      directory.path(), {"-i", "in.txt", "--solve", "--families", "f.tsv", "--write-solution", "p.sol"});
  ASSERT_EQ(solved.exitStatus, 0) << solved.err;
  EXPECT_EQ(directory.read("f.tsv"), kFamilies);
  EXPECT_NE(solved.out.find("Matched copy pairs: 4\n"), std::string::npos) << solved.out;

  const testutil::ProgramRun read = runExecutable(
      directory.path(), {"-i", "in.txt", "--solution", "p.sol", "--families", "/dev/stdout"});
  ASSERT_EQ(read.exitStatus, 0) << read.err;
  EXPECT_NE(read.out.find(kFamilies), std::string::npos) << read.out;
}

TEST(FamilyTableTest, RefusedRunsWriteNoTable) {
  testutil::FailingRun failing(kPair);
  failing.directory.write("bad.sol", "Optimal - objective value 0\n      0 z_q.1.1 1 0\n");
  testutil::errorOf(failing.run({"-i", "in.txt", "--families", "out.lp"}), 2);
  testutil::errorOf(failing.run({"-i", "in.txt", "--solution", "bad.sol", "--families", "out.lp"}), 1);
  EXPECT_EQ(failing.directory.read("out.lp"), testutil::kOldOutput);
}

}  // namespace
}  // namespace paralog
