// Solution files of each solver's layout, recognised from their content and
// matched with the program's variables; malformed or foreign files refused.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "model/linear_program.h"
#include "solution_files/solution_file.h"
#include "support/lp_text_program.h"

namespace paralog {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const char* kProgram =
    "Minimize\n\t- 2 z_a&b.1.1 + o_1_0 - 3 o_1_0\n\n"
    "Subject To\n\tz_a&b.1.1 + o_1_0 <= 1\n\tr_1_x <= 0\n\n"
    "Bounds\n\tr_1_x >= -1\n\tr_1_x <= 1\n\n"
    "Binary\n\tz_a&b.1.1\n\nGeneral\n\to_1_0\n\tr_1_x\n\nEnd";

struct Read {
  std::string format;
  SolutionStatus status;
  Solution solution;
};

Read read(const std::string& text) {
  const LinearProgram program = testutil::linearProgramFromLpText(kProgram);
  const SolutionFileContent content = parseSolutionFile(text, program, "x.sol");
  return {content.format, content.status, solutionFromFile(content, program, "x.sol")};
}

std::string refusal(const std::string& text) {
  try {
    read(text);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "accepted";
}

// Values by index: z_a&b.1.1, o_1_0, r_1_x.
TEST(SolutionFileTest, ReadsEachSolversLayout) {
  const Read gurobi = read(
      "# Solution for model paralog\n# Objective value = -2\n"
      "z_a&b.1.1 1.0000000000000000e+00\no_1_0 -0\nr_1_x -1\n");
  EXPECT_EQ(gurobi.format, "Gurobi");
  EXPECT_EQ(gurobi.status, SolutionStatus::kFeasible);  // the layout has no status
  EXPECT_EQ(gurobi.solution.objective, -2);
  EXPECT_THAT(gurobi.solution.values, ElementsAre(1, 0, -1));

  const Read cplex = read(
      "<?xml version = \"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<CPLEXSolution version=\"1.2\">\n"
      " <header\n   problemName=\"out.lp\"\n   objectiveValue=\"-2\"\n"
      "   solutionStatusValue=\"101\"\n   solutionStatusString=\"integer optimal solution\"/>\n"
      " <linearConstraints>\n  <constraint name=\"c1\" index=\"0\" slack=\"0\"/>\n </linearConstraints>\n"
      " <variables>\n  <variable name=\"z_a&amp;b.1.1\" index=\"0\" value=\"9.9999999999999978e-01\"/>\n"
      "  <variable index=\"1\" value=\"-0\" name=\"o_1_0\"/>\n"
      "  <variable name='r_1_x' index='2' value='0'/>\n </variables>\n</CPLEXSolution>\n");
  EXPECT_EQ(cplex.format, "CPLEX");
  EXPECT_EQ(cplex.status, SolutionStatus::kOptimal);
  EXPECT_THAT(cplex.solution.values, ElementsAre(9.9999999999999978e-01, 0, 0));

  const Read scip = read(
      "solution status: time limit reached\nobjective value:                                   -2\n"
      "z_a&b.1.1                                           1 \t(obj:-2)\n");
  EXPECT_EQ(scip.format, "SCIP");
  EXPECT_EQ(scip.status, SolutionStatus::kTimeLimit);
  EXPECT_THAT(scip.solution.values, ElementsAre(1, 0, 0));  // zeros left out

  const Read cbc = read("Stopped on time - objective value -2.00000000\n"
                        "      0 z_a&b.1.1                1                      -2\n");
  EXPECT_EQ(cbc.format, "CBC");
  EXPECT_EQ(cbc.status, SolutionStatus::kTimeLimit);
  EXPECT_THAT(cbc.solution.values, ElementsAre(1, 0, 0));

  const Read glpk = read("c Problem:\nc\ns mip 2 3 o -2\ni 1 1\ni 2 0\nj 1 1\nj 2 0\nj 3 0\ne o f\n");
  EXPECT_EQ(glpk.format, "GLPK");
  EXPECT_THAT(glpk.solution.values, ElementsAre(1, 0, 0));

  const Read none = read("Model status\nInfeasible\n\n# Primal solution values\nNone\n");
  EXPECT_EQ(none.format, "HiGHS");
  EXPECT_EQ(none.status, SolutionStatus::kInfeasible);
  EXPECT_FALSE(none.solution.objective);
}

TEST(SolutionFileTest, RefusesFilesThatDoNotFitTheProgram) {
  EXPECT_EQ(refusal("Optimal - objective value -2\n      0 z_a.1.9     1     -2\n"),
            "x.sol: line 2: the solution names the variable \"z_a.1.9\", which the program lacks");
  EXPECT_EQ(refusal("# Objective value = -2\nz_a&b.1.1 1\no_1_0 0\n"),
            "x.sol: the solution lacks the variable r_1_x of the program");
  EXPECT_EQ(refusal("# Objective value = -2\nz_a&b.1.1 1\no_1_0 0\nr_1_x 0\nz_a&b.1.1 1\n"),
            "x.sol: line 5: the solution lists the variable \"z_a&b.1.1\" twice");
  EXPECT_EQ(refusal("z_a&b.1.1 1\no_1_0 0\nr_1_x 0\n"),
            "x.sol: the solution file reports no objective value");
  // GLPK numbers columns: a file of another program is caught by its sizes.
  EXPECT_THAT(refusal("s mip 7 9 o -2\nj 1 1\ne o f\n"),
              HasSubstr("the solution has 7 rows and 9 columns, the program 2 rows and 3 variables"));
  EXPECT_THAT(refusal("Optimal - objective value x\n"), HasSubstr("\"x\" is not a number"));
  EXPECT_EQ(refusal("hello world\nfoo\n"),
            "x.sol: not a solution file of CBC, HiGHS, Gurobi, CPLEX, SCIP or GLPK");
  EXPECT_EQ(refusal(""), "x.sol: the solution file is empty");
  EXPECT_THAT(refusal("<html></html>"), HasSubstr("without a <CPLEXSolution> element"));
}

}  // namespace
}  // namespace paralog
