// Real solvers read portable LP files: CBC (cbc) and GLPK (glpsol) take
// files holding o variables and lines far beyond 510 bytes without a
// warning or an error, and find the same optimum as CBC on the default file
// whose o terms were merged by hand here.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

#include "support/run_program.h"

namespace paralog {
namespace {

using testutil::runExecutable;
using testutil::runShell;
using testutil::ShellRun;
using testutil::TempDirectory;

// The default file with each "+ o_K - n o_K" of its objective (line 2)
// written as one term "- (n-1) o_K", as the README once told users to do.
std::string mergeOTermsByHand(const std::string& lp) {
  const size_t start = lp.find('\n') + 1;
  const size_t end = lp.find('\n', start);
  const std::string objective = lp.substr(start, end - start);
  static const std::regex pair(R"(\+ (o_[^ ]+) - ([0-9]+) \1(?= |$))");
  std::string merged;
  size_t last = 0;
  for (std::sregex_iterator it(objective.begin(), objective.end(), pair), done; it != done; ++it) {
    merged += objective.substr(last, static_cast<size_t>(it->position()) - last);
    const long n = std::stol((*it)[2]);
    merged += "- " + (n == 2 ? std::string() : std::to_string(n - 1) + " ") + (*it)[1].str();
    last = static_cast<size_t>(it->position() + it->length());
  }
  merged += objective.substr(last);
  EXPECT_NE(merged, objective) << "no o variable to merge";
  return lp.substr(0, start) + merged + lp.substr(end);
}

// Minimum found by CBC; fails the test on any error or warning.
std::string cbcOptimum(const std::string& directory, const std::string& file) {
  const ShellRun run = runShell(directory, "cbc " + file + " solve quit");
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_THAT(run.output, ::testing::Not(::testing::ContainsRegex("[Ee][Rr][Rr][Oo][Rr]|[Ww]arn")))
      << run.output;
  std::smatch value;
  if (!std::regex_search(run.output, value, std::regex(R"(Objective value: +(-?[0-9.]+))"))) {
    ADD_FAILURE() << "cbc found no optimum in " << file << ":\n" << run.output;
    return "";
  }
  return std::to_string(std::stod(value[1]));
}

// Minimum found by GLPK; fails the test on any error or warning.
std::string glpkOptimum(const std::string& directory, const std::string& file) {
  const ShellRun run = runShell(directory, "glpsol --lp " + file + " -o " + file + ".sol");
  EXPECT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_THAT(run.output, ::testing::Not(::testing::ContainsRegex("[Ee]rror|[Ww]arning")))
      << run.output;
  EXPECT_THAT(run.output, ::testing::HasSubstr("INTEGER OPTIMAL SOLUTION FOUND"));
  const std::string solution = testutil::readFile(directory + "/" + file + ".sol");
  std::smatch value;
  if (!std::regex_search(solution, value, std::regex(R"(obj = +(-?[0-9.]+))"))) {
    ADD_FAILURE() << "glpsol wrote no objective for " << file << ":\n" << solution;
    return "";
  }
  return std::to_string(std::stod(value[1]));
}

// Gene names of 120 characters: lines of well over 510 bytes, and an o
// variable in each genome (circular chromosomes of 3 and 2 genes).
std::string longNamesInput() {
  const std::string a(120, 'A'), b(120, 'B'), c(120, 'C');
  return "0\n2\nfirst 1 : 1 :\nC 3 : +" + a + ".1+" + b + ".1+" + c +
         ".1;\nsecond 2 : 2 :\nC 2 : +" + a + ".1-" + c + ".1;\nL 1 : +" + b + ".1;\n";
}

size_t longestLine(const std::string& text) {
  size_t longest = 0;
  for (size_t start = 0, end; start < text.size(); start = end + 1) {
    end = std::min(text.find('\n', start), text.size());
    longest = std::max(longest, end - start);
  }
  return longest;
}

TEST(SolverReadingTest, CbcAndGlpkReadPortableFilesAndAgreeWithTheMergedDefault) {
  PARALOG_SKIP_WITHOUT("cbc", "glpsol");
  const std::string inputs[] = {
      testutil::readFile(testutil::sourcePath("tests/data/golden/paralogs_circular.txt")),
      longNamesInput()};
  bool wrapped = false;
  for (const std::string& input : inputs) {
    TempDirectory directory;
    directory.write("in.txt", input);
    ASSERT_EQ(runExecutable(directory.path(), {"-i", "in.txt", "-o", "default.lp"}).exitStatus, 0);
    ASSERT_EQ(runExecutable(directory.path(), {"-i", "in.txt", "-o", "portable.lp", "--portable"})
                  .exitStatus,
              0);
    directory.write("merged.lp", mergeOTermsByHand(directory.read("default.lp")));
    EXPECT_LE(longestLine(directory.read("portable.lp")), 510u);

    const std::string expected = cbcOptimum(directory.path(), "merged.lp");
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(cbcOptimum(directory.path(), "portable.lp"), expected);
    EXPECT_EQ(glpkOptimum(directory.path(), "portable.lp"), expected);
    wrapped = wrapped || longestLine(directory.read("default.lp")) > 2000;
  }
  EXPECT_TRUE(wrapped) << "no input with long lines";
}

}  // namespace
}  // namespace paralog
