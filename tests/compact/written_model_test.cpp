// The compact model's file (--write-model) solved by real solvers: on random
// small pairs of paralogs, the solution files of the cbc program, HiGHS and
// (where installed) GLPK, read back with --solution, give the optimum that
// --solve proves, reported as the optimum of the whole program.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/run_program.h"

namespace paralog {
namespace {

using testutil::ProgramRun;
using testutil::runExecutable;
using testutil::TempDirectory;

// Up to four genes of one to three copies a genome, in random order and
// orientation, over one to three linear or circular chromosomes each.
std::string randomPair(std::mt19937& random) {
  const int genes = 1 + static_cast<int>(random() % 4);
  std::vector<std::vector<int>> counts(2, std::vector<int>(genes));
  for (auto& genome : counts) {
    for (int& count : genome) count = 1 + static_cast<int>(random() % 3);
  }
  std::string text = std::to_string(genes) + "\n";
  for (int g = 0; g < genes; ++g) {
    text += std::string(1, static_cast<char>('a' + g)) + " " + std::to_string(std::max(counts[0][g], counts[1][g])) + "\n";
  }
  text += "2\n";
  for (int genome = 1; genome <= 2; ++genome) {
    std::vector<std::string> copies;
    for (int g = 0; g < genes; ++g) {
      for (int i = 1; i <= counts[genome - 1][g]; ++i) {
        copies.push_back((random() % 2 == 0 ? "+" : "-") + std::string(1, static_cast<char>('a' + g)) + "." +
                         std::to_string(i));
      }
    }
    std::shuffle(copies.begin(), copies.end(), random);
    std::vector<std::string> chromosomes;
    for (size_t at = 0; at < copies.size();) {
      const size_t length = chromosomes.size() == 2 ? copies.size() - at : 1 + random() % (copies.size() - at);
      std::string line = (random() % 2 == 0 ? "C " : "L ") + std::to_string(length) + " : ";
      for (size_t i = at; i < at + length; ++i) line += copies[i];
      chromosomes.push_back(line + ";\n");
      at += length;
    }
    text += "g" + std::to_string(genome) + " " + std::to_string(genome) + " : " +
            std::to_string(chromosomes.size()) + " :\n";
    for (const std::string& line : chromosomes) text += line;
  }
  return text;
}

std::string summary(const ProgramRun& run, const std::string& label) {
  const size_t at = run.out.find("\n" + label + ": ");
  if (at == std::string::npos) return "(no " + label + " line)";
  const size_t start = at + label.size() + 3;
  return run.out.substr(start, run.out.find('\n', start) - start);
}

TEST(WrittenModelTest, SolversOfTheModelFileReachTheOptimumOfTheSolve) {
  PARALOG_SKIP_WITHOUT("cbc", "highs");
  const bool glpk = testutil::missingProgram({"glpsol"}).empty();
  std::mt19937 random(34);
  for (int round = 0; round < 6; ++round) {
    TempDirectory directory;
    const std::string input = randomPair(random);
    SCOPED_TRACE(input);
    directory.write("in.txt", input);
    std::vector<std::string> args = {"-i", "in.txt", "--solve", "--write-model", "model.lp"};
    // Every third pair with every family matched: the file holds its rows.
    if (round % 3 == 2) args.push_back("--match-all");
    const ProgramRun solved = runExecutable(directory.path(), args);
    ASSERT_EQ(solved.exitStatus, 0) << solved.err;
    ASSERT_EQ(summary(solved, "Status"), "optimal");

    std::vector<std::pair<std::string, std::string>> files = {
        {"cbc model.lp solve solu cbc.sol", "cbc.sol (CBC"},
        {"node '" + testutil::sourcePath("tests/solvers/highs_solution.js") + "' model.lp highs.sol",
         "highs.sol (HiGHS"}};
    if (glpk) files.push_back({"glpsol --lp model.lp -w glpk.sol", "glpk.sol (GLPK"});
    for (const auto& [command, source] : files) {
      SCOPED_TRACE(command);
      const testutil::ShellRun solver = testutil::runShell(directory.path(), command);
      ASSERT_EQ(solver.exitStatus, 0) << solver.output;
      std::vector<std::string> read = {"-i", "in.txt", "--solution", source.substr(0, source.find(' '))};
      if (round % 3 == 2) read.push_back("--match-all");
      const ProgramRun answer = runExecutable(directory.path(), read);
      ASSERT_EQ(answer.exitStatus, 0) << answer.err;
      EXPECT_EQ(summary(answer, "Solution"), source + " solution file of the compact model)");
      EXPECT_EQ(summary(answer, "Status"), "optimal");
      EXPECT_EQ(summary(answer, "Objective"), summary(solved, "Objective"));
    }
  }
}

}  // namespace
}  // namespace paralog
