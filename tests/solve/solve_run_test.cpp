// Whole-program runs with --solve, --solution and --matching: solution files written by
// the real CBC, GLPK and HiGHS programs read back to the embedded optimum and
// to a matching that agrees with the file's z values; broken solutions
// refused with one error line and no file written.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/failing_run.h"
#include "support/run_program.h"

namespace paralog {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;
using testutil::errorOf;
using testutil::ProgramRun;
using testutil::runExecutable;
using testutil::TempDirectory;

// Paralogs on both sides, a circular chromosome of one gene (no o variable,
// so that every solver reads the LP file as written).
constexpr const char* kParalogs =
    "0\n2\nx 1 : 1 :\nL 4 : +a.1+b.1-a.2+c.1;\n"
    "y 2 : 3 :\nL 2 : +a.1-b.1;\nL 2 : +c.1+a.2;\nC 1 : +a.3;\n";
constexpr const char* kSingleCopies =
    "0\n2\nx 1 : 1 :\nL 4 : +a.1+b.1+c.1+d.1;\ny 2 : 1 :\nL 4 : +a.1-c.1-b.1+d.1;\n";

using Pair = std::tuple<std::string, int, int>;  // gene, first copy, second copy

// The summary line "<label>: <value>" of a run's standard output.
std::string summary(const ProgramRun& run, const std::string& label) {
  const size_t at = run.out.find("\n" + label + ": ");
  if (at == std::string::npos) return "(no " + label + " line)";
  const size_t start = at + label.size() + 3;
  return run.out.substr(start, run.out.find('\n', start) - start);
}

// The matched rows of a report table; checks its header and that every copy
// appears once.
std::set<Pair> matchedRows(const std::string& table) {
  std::istringstream in(table);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "gene\tfirst\tsecond");
  std::set<Pair> pairs;
  std::set<std::pair<std::string, std::string>> firstCopies, secondCopies;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string gene, first, second;
    std::getline(fields, gene, '\t');
    std::getline(fields, first, '\t');
    std::getline(fields, second, '\t');
    if (first != "-") {
      EXPECT_TRUE(firstCopies.emplace(gene, first).second) << line;
    }
    if (second != "-") {
      EXPECT_TRUE(secondCopies.emplace(gene, second).second) << line;
    }
    if (first != "-" && second != "-") pairs.emplace(gene, std::stoi(first), std::stoi(second));
  }
  return pairs;
}

// z variables at 1 in `text`, named by a match of `pattern` with groups for
// gene, first copy, second copy and value.
std::set<Pair> zAtOne(const std::string& text, const std::string& pattern) {
  std::set<Pair> pairs;
  const std::regex z(pattern);
  for (std::sregex_iterator it(text.begin(), text.end(), z), end; it != end; ++it) {
    if (std::stod((*it)[4]) > 0.5) pairs.emplace((*it)[1], std::stoi((*it)[2]), std::stoi((*it)[3]));
  }
  return pairs;
}

void run(const TempDirectory& directory, const std::string& command) {
  const std::string line = "cd '" + directory.path() + "' && (" + command + ") > solver.log 2>&1";
  ASSERT_EQ(std::system(line.c_str()), 0) << command << "\n" << directory.read("solver.log");
}

TEST(SolveRunTest, ExternalSolutionsReadBackToTheEmbeddedOptimum) {
  PARALOG_SKIP_WITHOUT("cbc", "glpsol", "highs");
  for (const char* input : {kParalogs, kSingleCopies}) {
    SCOPED_TRACE(input);
    TempDirectory directory;
    directory.write("in.txt", input);
    const ProgramRun embedded = runExecutable(
        directory.path(), {"-i", "in.txt", "--solve", "-o", "model.lp", "--report", "embedded.tsv"});
    ASSERT_EQ(embedded.exitStatus, 0) << embedded.err;
    EXPECT_THAT(embedded.out, StartsWith(testutil::kFullRunOutput));
    EXPECT_EQ(summary(embedded, "Solution"), "embedded CBC");
    EXPECT_EQ(summary(embedded, "Status"), "optimal");
    EXPECT_EQ(summary(embedded, "Gap"), "0%");
    const std::string optimum = summary(embedded, "Objective");
    EXPECT_EQ(summary(embedded, "Best bound"), optimum);
    EXPECT_EQ(summary(embedded, "Matched copy pairs"),
              std::to_string(matchedRows(directory.read("embedded.tsv")).size()));

    run(directory, "cbc model.lp solve solu cbc.sol");
    run(directory, "glpsol --lp model.lp -w glpk.sol -o glpk.txt");
    run(directory, "node '" + testutil::sourcePath("tests/solvers/highs_solution.js") +
                       "' model.lp highs.sol");
    const std::string z = R"(z_([^.\s]+)\.(\d+)\.(\d+))";
    const struct {
      const char* file;
      const char* format;
      // How the file (or GLPK's printable report) gives a variable's value:
      // what stands before its name and after it, the value in a group.
      std::string before, after;
      const char* valueSource;
    } solvers[] = {
        {"cbc.sol", "CBC", R"(\d+ )", R"( +(\S+))", "cbc.sol"},
        {"glpk.sol", "GLPK", "", R"(\s+\*\s+(\S+))", "glpk.txt"},
        {"highs.sol", "HiGHS", "\n", R"( (\S+))", "highs.sol"},
    };
    for (const auto& solver : solvers) {
      SCOPED_TRACE(solver.file);
      const ProgramRun read = runExecutable(
          directory.path(), {"-i", "in.txt", "--solution", solver.file, "--report", "read.tsv"});
      ASSERT_EQ(read.exitStatus, 0) << read.err;
      EXPECT_EQ(summary(read, "Solution"), std::string(solver.file) + " (" + solver.format +
                                               " solution file)");
      EXPECT_EQ(summary(read, "Status"), "optimal");
      EXPECT_EQ(summary(read, "Objective"), optimum);
      EXPECT_EQ(summary(read, "Best bound"), "(no Best bound line)");
      const std::string values = directory.read(solver.valueSource);
      const std::set<Pair> pairs = zAtOne(values, solver.before + z + solver.after);
      EXPECT_FALSE(pairs.empty());
      EXPECT_EQ(matchedRows(directory.read("read.tsv")), pairs);
      const std::regex p(solver.before + R"(p_\S+)" + solver.after);
      const auto pAtOne = std::count_if(std::sregex_iterator(values.begin(), values.end(), p),
                                        std::sregex_iterator(), [](const std::smatch& match) {
                                          return std::stod(match[1]) > 0.5;
                                        });
      EXPECT_GT(pAtOne, 0);
      EXPECT_EQ(summary(read, "p variables at 1"), std::to_string(pAtOne));
    }
  }
}

TEST(SolveRunTest, ReportListsEveryCopyInOrder) {
  TempDirectory directory;
  directory.write("in.txt", kParalogs);
  const ProgramRun solved =
      runExecutable(directory.path(), {"-i", "in.txt", "--solve", "--report", "r.tsv"});
  ASSERT_EQ(solved.exitStatus, 0) << solved.err;
  const std::string table = directory.read("r.tsv");
  // Four copies in the first genome, five in the second, each on one row;
  // the summary counts agree with the table.
  const size_t matched = matchedRows(table).size();
  EXPECT_EQ(summary(solved, "Matched copy pairs"), std::to_string(matched));
  EXPECT_EQ(summary(solved, "Unmatched copies in the first genome"), std::to_string(4 - matched));
  EXPECT_EQ(summary(solved, "Unmatched copies in the second genome"), std::to_string(5 - matched));
  EXPECT_EQ(summary(solved, "Circular chromosomes left unmatched"),
            table.find("a\t-\t3\n") == std::string::npos ? "0" : "1");
  // By gene name, then the first genome's copies by index, then the second's unmatched copies.
  const std::regex layout(
      "gene\tfirst\tsecond\n"
      "a\t1\t[-\\d]\na\t2\t[-\\d]\n(a\t-\t\\d\n)+"
      "b\t1\t[-1]\n(b\t-\t1\n)?c\t1\t[-1]\n(c\t-\t1\n)?");
  EXPECT_TRUE(std::regex_match(table, layout)) << table;
  std::vector<std::string> unmatchedSecond;
  const std::regex unmatchedA("a\t-\t(\\d)");
  for (std::sregex_iterator it(table.begin(), table.end(), unmatchedA), end; it != end; ++it) {
    unmatchedSecond.push_back((*it)[1]);
  }
  EXPECT_TRUE(std::is_sorted(unmatchedSecond.begin(), unmatchedSecond.end()));
  // Without -o no LP file is written.
  EXPECT_THAT(directory.entries(), ::testing::ElementsAre("in.txt", "r.tsv"));

  // A report to /dev/stdout goes into the pipe, ahead of the summary, and
  // nothing replaces the link or what it leads to.
  const ProgramRun piped =
      runExecutable(directory.path(), {"-i", "in.txt", "--solve", "--report", "/dev/stdout"});
  ASSERT_EQ(piped.exitStatus, 0) << piped.err;
  const size_t tableStart = piped.out.find("Calculating O variables\ngene\tfirst\tsecond\n");
  const size_t summaryStart = piped.out.find("Solution: embedded CBC\n");
  ASSERT_NE(tableStart, std::string::npos) << piped.out;
  ASSERT_NE(summaryStart, std::string::npos) << piped.out;
  const size_t tableEnd = tableStart + std::string("Calculating O variables\n").size();
  EXPECT_EQ(matchedRows(piped.out.substr(tableEnd, summaryStart - tableEnd)).size(), matched);
}

// Circular genomes that differ by one extra copy: an unmatched end is joined
// once however many copies of its chromosome are matched, so all three pairs
// match (three cycles: -6 - 6), as they do on linear chromosomes.
TEST(SolveRunTest, CircularGenomesWithAnExtraCopyMatchEveryPair) {
  TempDirectory directory;
  directory.write("in.txt", "0\n2\nA 1 : 1 :\nC 4 : +a.1+b.1+c.1+a.2;\nB 2 : 1 :\nC 3 : +a.1+b.1+c.1;\n");
  const ProgramRun solved = runExecutable(directory.path(), {"-i", "in.txt", "--solve"});
  ASSERT_EQ(solved.exitStatus, 0) << solved.err;
  EXPECT_EQ(summary(solved, "Status"), "optimal");
  EXPECT_EQ(summary(solved, "Objective"), "-12");
  EXPECT_EQ(summary(solved, "Matched copy pairs"), "3");
}

// The first line of a CBC solution file, then its values by variable name
// (the index column is left out: writers may list the variables in
// different orders).
std::map<std::string, std::string> valuesByName(const std::string& solution) {
  std::map<std::string, std::string> values;
  std::istringstream lines(solution);
  std::string line;
  std::getline(lines, line);
  values[""] = line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string index, name, value, cost;
    fields >> index >> name >> value >> cost;
    values[name] = value + " " + cost;
  }
  return values;
}

// --write-solution lists every declared variable in CBC's layout once the
// solution passed the check; --solution reads it back to the same answer. A
// refused solution writes nothing.
TEST(SolveRunTest, WrittenSolutionReadsBackToTheSameAnswer) {
  TempDirectory directory;
  directory.write("in.txt", kParalogs);
  const ProgramRun solved = runExecutable(directory.path(), {"-i", "in.txt", "--solve", "-o", "m.lp",
                                                             "--report", "a.tsv", "--write-solution", "s.sol"});
  ASSERT_EQ(solved.exitStatus, 0) << solved.err;
  const std::string written = directory.read("s.sol");
  EXPECT_THAT(written, StartsWith("Optimal - objective value " + summary(solved, "Objective") + ".00000000\n"));
  const std::string lp = directory.read("m.lp");
  const size_t declared = std::count(lp.begin() + lp.find("\nBinary\n"), lp.end(), '\t');
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), static_cast<long>(declared) + 1);

  const ProgramRun read = runExecutable(directory.path(), {"-i", "in.txt", "--solution", "s.sol",
                                                           "--report", "b.tsv", "--write-solution", "t.sol"});
  ASSERT_EQ(read.exitStatus, 0) << read.err;
  EXPECT_EQ(summary(read, "Solution"), "s.sol (CBC solution file)");
  EXPECT_EQ(summary(read, "Status"), "optimal");
  EXPECT_EQ(summary(read, "Objective"), summary(solved, "Objective"));
  EXPECT_EQ(directory.read("b.tsv"), directory.read("a.tsv"));
  EXPECT_EQ(valuesByName(directory.read("t.sol")), valuesByName(written));

  directory.write("bad.sol", "Optimal - objective value 0\n");
  EXPECT_EQ(runExecutable(directory.path(), {"-i", "in.txt", "--solution", "bad.sol",
                                             "--write-solution", "u.sol"}).exitStatus, 1);
  EXPECT_FALSE(directory.exists("u.sol"));
}

TEST(SolveRunTest, ReportShowsGeneNamesAsTheInputWroteThem) {
  TempDirectory directory;
  // UniMoG names that the LP file holds escaped ("tRNA~2DLeu").
  directory.write("in.txt", ">A\ntRNA-Leu b -c |\n>B\ntRNA-Leu -b -c |\n");
  const ProgramRun solved = runExecutable(
      directory.path(), {"-i", "in.txt", "--solve", "--report", "r.tsv", "-o", "out.lp"});
  ASSERT_EQ(solved.exitStatus, 0) << solved.err;
  EXPECT_NE(directory.read("out.lp").find("z_tRNA~2DLeu.1.1"), std::string::npos);
  EXPECT_EQ(directory.read("r.tsv"), "gene\tfirst\tsecond\nb\t1\t1\nc\t1\t1\ntRNA-Leu\t1\t1\n");
}

TEST(SolveRunTest, BrokenSolutionsAreRefused) {
  testutil::FailingRun failing(kSingleCopies);
  const TempDirectory& directory = failing.directory;
  run(directory, "cp in.txt in2.txt && " + std::string(PARALOG_EXECUTABLE) +
                     " -i in2.txt -o model.lp && cbc model.lp solve solu good.sol && rm in2.txt model.lp");
  const std::string good = directory.read("good.sol");
  const std::regex zLine("\n *\\d+ z_b\\.1\\.1 +1 +-2");
  ASSERT_TRUE(std::regex_search(good, zLine)) << good;
  struct Case {
    std::string solution;
    std::string message;
  } cases[] = {
      // z_b.1.1 flipped to 0: a gene end of a linear chromosome is left free.
      {std::regex_replace(good, zLine, ""), "the solution breaks "},
      {std::regex_replace(good, zLine, "\n      9 z_b.1.1   0.5   -2"), "the solution breaks "},
      {std::regex_replace(good, std::regex("value -\\d+"), "value -99"),
       "the solution reports the objective -99, but its values give "},
      {good + "     99 z_q.1.1   1   -2\n",
       "the solution names the variable \"z_q.1.1\", which the program lacks"},
  };
  for (const Case& c : cases) {
    directory.write("bad.sol", c.solution);
    const ProgramRun refused = failing.run(
        {"-i", "in.txt", "--solution", "bad.sol", "-o", "out.lp", "--report", "r.tsv"});
    const std::string error = errorOf(refused, 1);
    EXPECT_THAT(error, StartsWith(directory.file("bad.sol") + ": "));
    EXPECT_THAT(error, HasSubstr(c.message));
    EXPECT_EQ(directory.read("out.lp"), testutil::kOldOutput);
    EXPECT_FALSE(directory.exists("r.tsv"));
  }
  // One broken constraint is quoted as the LP file has it.
  directory.write("bad.sol", std::regex_replace(good, zLine, ""));
  const std::string error = errorOf(
      failing.run({"-i", "in.txt", "--solution", "bad.sol"}), 1);
  EXPECT_TRUE(std::regex_search(error, std::regex("breaks \\d+ constraints? of the program; the first: \"[^\"]+ [<>]?= -?\\d+\" \\(its left side is -?\\d+\\)")))
      << error;
}

TEST(SolveRunTest, TheReportOfASolveScoresToItsObjective) {
  for (const char* input : {kParalogs, kSingleCopies, ">A\ntRNA-Leu b -c |\n>B\ntRNA-Leu -b -c |\n"}) {
    SCOPED_TRACE(input);
    TempDirectory directory;
    directory.write("in.txt", input);
    const ProgramRun solved =
        runExecutable(directory.path(), {"-i", "in.txt", "--solve", "--report", "solved.tsv"});
    ASSERT_EQ(solved.exitStatus, 0) << solved.err;
    const ProgramRun scored = runExecutable(
        directory.path(), {"-i", "in.txt", "--matching", "solved.tsv", "--report", "scored.tsv"});
    ASSERT_EQ(scored.exitStatus, 0) << scored.err;
    EXPECT_EQ(summary(scored, "Solution"), "solved.tsv (matching)");
    EXPECT_EQ(summary(scored, "Status"), "feasible");
    EXPECT_EQ(summary(scored, "Objective"), summary(solved, "Objective"));
    EXPECT_EQ(directory.read("scored.tsv"), directory.read("solved.tsv"));
  }
}

TEST(SolveRunTest, NoSolutionWithinTheTimeLimitIsAFailure) {
  TempDirectory directory;
  directory.write("in.txt", testutil::readFile(testutil::sourcePath("examples/two-genomes.txt")));
  // A limit over before the search starts, however fast the machine: CBC
  // is stopped before its branch and bound, and this program's relaxation
  // is far from integral, so no solution can come first.
  const ProgramRun stopped = runExecutable(
      directory.path(), {"-i", "in.txt", "--solve", "--solve-model", "full", "--time-limit", "1e-9", "--report", "r.tsv"});
  EXPECT_EQ(summary(stopped, "Status"), "time limit");
  EXPECT_EQ(summary(stopped, "Objective"), "(no Objective line)");
  // Progress lines may come first; the failure is the last line.
  EXPECT_EQ(stopped.exitStatus, 1);
  EXPECT_TRUE(std::regex_match(stopped.err, std::regex("(solving: [^\n]*\n)*error: embedded CBC: "
                                                       "no solution to report \\(status: time limit\\)\n")))
      << stopped.err;
  EXPECT_THAT(directory.entries(), ::testing::ElementsAre("in.txt"));
}

TEST(SolveRunTest, AStoppedSolveReportsACheckedMatchingAndABoundBelowTheOptimum) {
  TempDirectory directory;
  directory.write("in.txt", testutil::readFile(testutil::sourcePath("examples/two-genomes.txt")));
  const ProgramRun whole = runExecutable(directory.path(), {"-i", "in.txt", "--solve"});
  ASSERT_EQ(summary(whole, "Status"), "optimal") << whole.err;
  const double optimum = std::stod(summary(whole, "Objective"));
  // A limit over before the search starts, however fast the machine: the
  // heuristic matching is all there is, unless CBC proved it optimal first.
  const ProgramRun stopped = runExecutable(
      directory.path(), {"-i", "in.txt", "--solve", "--time-limit", "1e-9", "--report", "r.tsv"});
  ASSERT_EQ(stopped.exitStatus, 0) << stopped.err;
  EXPECT_THAT(summary(stopped, "Status"), ::testing::AnyOf("time limit", "optimal"));
  EXPECT_GE(std::stod(summary(stopped, "Objective")), optimum);
  const std::string bound = summary(stopped, "Best bound");
  if (bound != "(no Best bound line)") {
    EXPECT_LE(std::stod(bound), optimum);
  }
  // The matching reported scores, on its own, to the objective reported.
  const ProgramRun scored = runExecutable(directory.path(), {"-i", "in.txt", "--matching", "r.tsv"});
  ASSERT_EQ(scored.exitStatus, 0) << scored.err;
  EXPECT_EQ(summary(scored, "Objective"), summary(stopped, "Objective"));
}

// The summary ends with the distance and indel lines; genes of one genome
// only are kept with --keep-unshared (never with --drop-unshared too); a
// note names --match-all when the solution matches under half of what it
// would, and is left out with --match-all.
// Standard error without the progress lines that a slow machine prints
// while a solve runs.
std::string withoutProgress(const std::string& err) {
  return std::regex_replace(err, std::regex("solving: [^\n]*\n"), "");
}

TEST(SolveRunTest, DistanceIndelsAndTheMatchAllNote) {
  TempDirectory directory;
  directory.write("single.txt", kSingleCopies);
  ProgramRun run = runExecutable(directory.path(), {"-i", "single.txt", "--solve"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_THAT(run.out, ::testing::EndsWith("Unmatched copies in the second genome: 0\n"
                                           "DCJ distance of the matched genes: 1\nIndels: 0 + 0\n"));
  EXPECT_EQ(withoutProgress(run.err), "");

  // e and f in one genome each; with every family matched, a b c d against
  // a -c -b d.
  directory.write("unshared.txt",
                  "0\n2\nx 1 : 1 :\nL 5 : +a.1+b.1+e.1+c.1+d.1;\ny 2 : 1 :\nL 5 : +a.1-c.1-b.1+f.1+d.1;\n");
  run = runExecutable(directory.path(), {"-i", "unshared.txt", "--solve", "--keep-unshared", "--match-all"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(summary(run, "Matched copy pairs"), "4");
  EXPECT_THAT(run.out, ::testing::EndsWith("DCJ distance of the matched genes: 1\nIndels: 1 + 1\n"));
  EXPECT_EQ(withoutProgress(run.err), "");
  EXPECT_THAT(errorOf(runExecutable(directory.path(), {"-i", "unshared.txt", "--solve"}), 1),
              HasSubstr("--drop-unshared"));
  run = runExecutable(directory.path(), {"-i", "unshared.txt", "--solve", "--keep-unshared", "--drop-unshared"});
  EXPECT_EQ(errorOf(run, 2), "the options '--drop-unshared' and '--keep-unshared' exclude each other");

  // Two circular orders of six genes far apart: the optimum matches one pair.
  directory.write("far.txt", "0\n2\nx 1 : 1 :\nC 6 : +a.1+b.1+c.1+d.1+e.1+f.1;\n"
                             "y 2 : 1 :\nC 6 : +d.1-a.1+f.1-c.1+e.1-b.1;\n");
  run = runExecutable(directory.path(), {"-i", "far.txt", "--solve"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(summary(run, "Matched copy pairs"), "1");
  EXPECT_EQ(withoutProgress(run.err),
            "note: the solution matches 1 of the 6 copy pairs that --match-all would match; on distant genomes "
            "the optimum can leave most copies unmatched, and --match-all asks for the maximal matching\n");
  run = runExecutable(directory.path(), {"-i", "far.txt", "--solve", "--match-all"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(summary(run, "Matched copy pairs"), "6");
  EXPECT_EQ(withoutProgress(run.err), "");
}

}  // namespace
}  // namespace paralog
