// Hostile command lines and solution files, as one table: outputs that
// would destroy an input or each other, thread counts CBC cannot run,
// solution files with control bytes, huge names, broken character
// references, statuses their values contradict, a copy written twice,
// a closed standard output and names a terminal would read as escapes.
// Every failure is one printable, bounded "error: " line, and no listed
// file changes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <vector>

#include "support/run_program.h"

namespace paralog {
namespace {

using testutil::ProgramRun;
using testutil::runExecutable;
using testutil::runShell;
using testutil::TempDirectory;

struct HostileCase {
  const char* what;
  std::string setup;  // shell lines run in the directory first (in.txt is there)
  std::vector<std::string> args;
  int status;
  std::string expected;  // a part of the error line, or of standard output on success
  std::vector<std::string> kept = {"in.txt"};  // files the run must leave as they were
  bool needsCbc = false;  // the setup runs the cbc program
  bool closeStdout = false;  // the run starts with standard output closed
};

// A CBC solution of in.txt's portable program, in SCIP's layout with the
// given status line.
std::string scipSolution(const std::string& status) {
  return "$TOOL -i in.txt --portable -o p.lp >/dev/null && cbc p.lp solve solu c.sol >/dev/null && "
         "{ echo 'solution status: " + status + "'; "
         "awk 'NR==1{print \"objective value: \" $NF} NR>1{print $2, $3}' c.sol; } > s.sol && "
         "rm p.lp c.sol";
}

std::vector<HostileCase> hostileCases() {
  const std::string same = "is the same as";
  const std::string cbcHeader = "echo 'Optimal - objective value -12' > s.sol; ";
  return {
      {"output is the input", "", {"-i", "in.txt", "-o", "in.txt"}, 2, same},
      {"output is a symbolic link to the input", "ln -s in.txt link.lp",
       {"-i", "in.txt", "-o", "link.lp"}, 2, same, {"in.txt", "link.lp"}},
      {"output is a hard link to the input", "ln in.txt hard.lp",
       {"-i", "in.txt", "-o", "hard.lp"}, 2, same, {"in.txt", "hard.lp"}},
      {"solving over the input", "", {"-i", "in.txt", "--solve", "-o", "in.txt"}, 2, same},
      {"report over the input", "", {"-i", "in.txt", "--solve", "--report", "in.txt"}, 2, same},
      {"solution written over the input", "", {"-i", "in.txt", "--solve", "--write-solution", "in.txt"},
       2, same},
      {"family table over the input", "", {"-i", "in.txt", "--solve", "--families", "in.txt"}, 2, same},
      {"report over the solution read", cbcHeader,
       {"-i", "in.txt", "--solution", "s.sol", "--report", "s.sol"}, 2, same, {"in.txt", "s.sol"}},
      {"output over the solution read", cbcHeader,
       {"-i", "in.txt", "--solution", "s.sol", "-o", "s.sol"}, 2, same, {"in.txt", "s.sol"}},
      {"output and report are one new file, spelled two ways", "",
       {"-i", "in.txt", "--solve", "-o", "x.lp", "--report", "./x.lp"}, 2, same},
      {"output and report both standard output", "",
       {"-i", "in.txt", "--solve", "-o", "-", "--report", "-"}, 2, same},
      {"outputs may share a device", "",
       {"-i", "in.txt", "--solve", "-o", "/dev/null", "--report", "/dev/null"}, 0, "Status: optimal"},
      {"report to standard output", "", {"-i", "in.txt", "--solve", "--report", "-"}, 0,
       "gene\tfirst\tsecond\na\t1\t2\n"},
      {"threads CBC reads as a mode", "", {"-i", "in.txt", "--solve", "--threads", "100", "--oversubscribe"},
       2, "from 1 to 99"},
      {"threads above the cores", "", {"-i", "in.txt", "--solve", "--threads", "99"}, 2,
       "(the cores of this machine; up to 99 with --oversubscribe)"},
      {"two threads, no leak", "", {"-i", "in.txt", "--solve", "--threads", "2", "--oversubscribe"}, 0,
       "Status: optimal"},
      {"empty character reference", "echo '<CPLEXSolution><header objectiveValue=\"-2\"/>' > s.sol; "
       "echo '<variable name=\"z_&#;\" value=\"1\"/></CPLEXSolution>' >> s.sol",
       {"-i", "in.txt", "--solution", "s.sol"}, 1, "s.sol:2: a malformed character reference in \"z_&#;\""},
      {"huge character reference", "printf '<CPLEXSolution><header objectiveValue=\"-2\"/>\\n"
       "<variable name=\"z_&#99999999999999999999999;\" value=\"1\"/>' > s.sol",
       {"-i", "in.txt", "--solution", "s.sol"}, 1, "a malformed character reference"},
      {"control bytes in a name", cbcHeader + "printf '0 \\033[31mRED 1 -2\\n' >> s.sol",
       {"-i", "in.txt", "--solution", "s.sol"}, 1,
       "s.sol: line 2: the solution names the variable \"\\x1B[31mRED\", which the program lacks"},
      {"a ten-megabyte name", cbcHeader + "printf '0 ' >> s.sol; head -c 10000000 /dev/zero | tr '\\0' z >> s.sol; "
       "echo ' 1 -2' >> s.sol", {"-i", "in.txt", "--solution", "s.sol"}, 1,
       "s.sol: line 2: the solution names the variable \"zzz"},
      {"a checked solution the file calls infeasible", scipSolution("infeasible"),
       {"-i", "in.txt", "--solution", "s.sol"}, 0,
       "Solution: s.sol (SCIP solution file, which calls it infeasible)\nStatus: feasible\n",
       {"in.txt", "s.sol"}, true},
      {"model over the input", "", {"-i", "in.txt", "--write-model", "in.txt"}, 2, same},
      {"model and LP file both standard output", "", {"-i", "in.txt", "-o", "-", "--write-model", "-"}, 2, same},
      {"a model solution that breaks a row of the model",
       "printf 'Optimal - objective value -4\\n0 m_a.1.1 1 -2\\n1 m_a.1.2 1 -2\\n' > s.sol",
       {"-i", "in.txt", "--solution", "s.sol", "--report", "r.tsv"}, 1,
       "of the compact model; the first: row 1, \"m_a.1.1 + m_a.1.2 <= 1\" (its left side is 2)",
       {"in.txt", "s.sol"}},
      {"a model solution naming a pair the model lacks", "printf 'Optimal - objective value -2\\n0 m_q.1.1 1 -2\\n' > s.sol",
       {"-i", "in.txt", "--solution", "s.sol"}, 1, "s.sol: line 2: the solution names the variable \"m_q.1.1\"",
       {"in.txt", "s.sol"}},
      {"a model solution called optimal below its matching's score",
       "$TOOL -i in.txt --write-model m.lp >/dev/null && cbc m.lp solve solu c.sol >/dev/null && "
       "awk 'NR==1{print \"Optimal - objective value \" ($NF+0.5); next} /tt_/ && !d {d=1; next} {print}' c.sol "
       "> s.sol && rm m.lp c.sol",
       {"-i", "in.txt", "--solution", "s.sol"}, 0,
       "Solution: s.sol (CBC solution file of the compact model, which calls it optimal at -11.5)\n"
       "Status: feasible\nObjective: -12\n",
       {"in.txt", "s.sol"}, true},
      {"families over the input", "", {"-i", "in.txt", "--solve", "--families", "./in.txt"}, 2, same},
      {"families over the matching read", "$TOOL -i in.txt --solve --report m.tsv >/dev/null",
       {"-i", "in.txt", "--matching", "m.tsv", "--families", "m.tsv"}, 2, same, {"in.txt", "m.tsv"}},
      {"families over the solution read", cbcHeader,
       {"-i", "in.txt", "--solution", "s.sol", "--families", "s.sol"}, 2, same, {"in.txt", "s.sol"}},
      {"families to standard output", "", {"-i", "in.txt", "--solve", "--families", "-"}, 0,
       "a\t2\t2\t2\t0\t0\n"},
      {"report and families both standard output", "",
       {"-i", "in.txt", "--solve", "--report", "-", "--families=-"}, 2, same},
      {"a copy written twice on a linear chromosome",
       "printf '0\\n2\\nA 0 : 1 :\\nL 2 : +a.1+a.1;\\nB 1 : 1 :\\nL 1 : +a.1;\\n' > t.txt",
       {"-i", "t.txt", "--solve"}, 1,
       "t.txt:4: structure 1 (\"A\"), chromosome 1: copy 1 of gene \"a\" is written twice (also on line 4)"},
      {"a listing into a closed standard output", "", {"--list-genomes", "-i", "in.txt"}, 1,
       "cannot write to standard output", {"in.txt"}, false, true},
      {"control characters and bytes outside UTF-8 in listed names",
       "printf '>A\\xe9\\x9b\\x7f\\n a b |\\n>\\xc3\\xa9t\\xc2\\x9b\\n b a |\\n' > n.unimog",
       {"--list-genomes", "-i", "n.unimog"}, 0,
       "1\tA\\xE9\\x9B\\x7F\tunimog\t1\t0\t2\t2\n2\t\xC3\xA9t\\xC2\\x9B\tunimog\t1\t0\t2\t2\n"},
      {"a header after blanks", "printf '  >A\\n a b |\\n\\t>B\\n b a |\\n' > g.txt",
       {"-i", "g.txt", "-o", "g.lp"}, 0, "Writing ilp task to file...\nDone\n", {"in.txt", "g.txt"}},
  };
}

TEST(HostileRunTest, RefusedOrAcceptedAsTheTableSays) {
  const bool haveCbc = runShell(".", "command -v cbc >/dev/null").exitStatus == 0;
  const std::string input = testutil::readFile(testutil::sourcePath("examples/worked-example.txt"));
  for (const HostileCase& c : hostileCases()) {
    SCOPED_TRACE(c.what);
    if (c.needsCbc && !haveCbc) continue;
    TempDirectory directory;
    directory.write("in.txt", input);
    const auto setup = runShell(directory.path(), "TOOL=" PARALOG_EXECUTABLE "; " + c.setup);
    ASSERT_EQ(setup.exitStatus, 0) << setup.output;
    std::vector<std::string> before;
    for (const std::string& file : c.kept) before.push_back(directory.read(file));
    const std::vector<std::string> entries = directory.entries();

    testutil::RunOptions options;
    options.closeStdout = c.closeStdout;
    const ProgramRun run = runExecutable(directory.path(), c.args, options);
    EXPECT_EQ(run.exitStatus, c.status) << run.err;
    for (size_t i = 0; i < c.kept.size(); ++i) EXPECT_EQ(directory.read(c.kept[i]), before[i]);
    if (c.status == 0) {
      EXPECT_THAT(run.out, ::testing::HasSubstr(c.expected));
      continue;
    }
    EXPECT_EQ(directory.entries(), entries) << "a refused run leaves no file behind";
    // Progress lines stand before it when they go to standard error (-o -).
    const size_t start = run.err.rfind('\n', run.err.size() - 2);
    const std::string line = run.err.substr(start == std::string::npos ? 0 : start + 1);
    EXPECT_THAT(line, ::testing::StartsWith("error: "));
    EXPECT_THAT(line, ::testing::HasSubstr(c.expected));
    // Without an output on standard output the error line stands alone, no note before it.
    const auto dash = [](const std::string& arg) { return arg == "-" || arg.find("=-") != std::string::npos; };
    if (std::none_of(c.args.begin(), c.args.end(), dash)) {
      EXPECT_EQ(run.err, line);
    }
    EXPECT_LT(line.size(), 1000u);
    for (size_t i = 0; i + 1 < line.size(); ++i) {
      ASSERT_TRUE(line[i] >= 0x20 && line[i] < 0x7f) << "a raw byte in " << line;
    }
  }
}

}  // namespace
}  // namespace paralog
