// Whole runs with --matching: a table that --report writes is scored and
// checked; a malformed table, a copy the genomes lack and a copy named
// twice are refused with one error line naming the line, leaving the
// output files as they were.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "support/failing_run.h"
#include "support/run_program.h"

namespace paralog {
namespace {

using ::testing::HasSubstr;
using testutil::errorOf;

constexpr const char* kGenomes =
    "0\n2\nx 1 : 2 :\nC 4 : +a.1+b.1+c.1+a.2;\nL 1 : +d.1;\n"
    "y 2 : 2 :\nC 3 : +a.1+b.1+c.1;\nL 1 : -d.1;\n";

TEST(MatchingFileTest, ScoresAMatchingAndRefusesBrokenTables) {
  testutil::FailingRun failing(kGenomes);
  const testutil::TempDirectory& directory = failing.directory;
  // Rows with "-" name no pair, so a report can be given back as it is.
  directory.write("m.tsv", "gene\tfirst\tsecond\na\t1\t1\na\t2\t-\nb\t1\t1\nc\t1\t1\nd\t1\t-\nd\t-\t1\n");
  const testutil::ProgramRun scored =
      failing.run({"-i", "in.txt", "--matching", "m.tsv", "--report", "r.tsv"});
  ASSERT_EQ(scored.exitStatus, 0) << scored.err;
  // Three pairs and the three cycles their adjacencies close; d's two free
  // ends in each genome join into a path of one join, which is odd.
  EXPECT_THAT(scored.out, HasSubstr("\nSolution: m.tsv (matching)\nStatus: feasible\nObjective: -12\n"
                                    "Matched copy pairs: 3\np variables at 1: 3\n"));
  EXPECT_EQ(directory.read("r.tsv"), directory.read("m.tsv"));

  const struct {
    const char* table;
    const char* message;
  } cases[] = {
      {"", "m.tsv: the matching file is empty"},
      {"gene first second\n", "m.tsv:1: the header \"gene\\tfirst\\tsecond\" is missing"},
      {"gene\tfirst\tsecond\na\t1\n", "m.tsv:2: a line holds a gene name, a first and a second copy index"},
      {"gene\tfirst\tsecond\na\t1\t1\n\n", "m.tsv:3: a line holds"},
      {"gene\tfirst\tsecond\na\tx\t1\n", "m.tsv:2: the first copy index is neither a number nor \"-\": \"x\""},
      {"gene\tfirst\tsecond\na\t1\t99999999999\n", "m.tsv:2: the second copy index is neither"},
      {"gene\tfirst\tsecond\nq\t1\t1\n", "m.tsv:2: the first genome has no copy 1 of gene \"q\""},
      {"gene\tfirst\tsecond\na\t2\t3\n", "m.tsv:2: the second genome has no copy 3 of gene \"a\""},
      {"gene\tfirst\tsecond\na\t1\t1\na\t2\t1\n",
       "m.tsv:3: copy 1 of gene \"a\" in the second genome is matched twice (also on line 2)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.table);
    directory.write("m.tsv", c.table);
    const std::string error = errorOf(
        failing.run({"-i", "in.txt", "--matching", "m.tsv", "-o", "out.lp", "--report", "r2.tsv"}), 1);
    EXPECT_THAT(error, HasSubstr(c.message));
    EXPECT_EQ(directory.read("out.lp"), testutil::kOldOutput);
    EXPECT_FALSE(directory.exists("r2.tsv"));
  }
}

}  // namespace
}  // namespace paralog
