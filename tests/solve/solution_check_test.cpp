// The in-memory program read from LP text, and the checks every solution
// must pass before it is reported.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/linear_program.h"
#include "solver/solution_check.h"
#include "support/lp_text_program.h"

namespace paralog {
namespace {

using ::testing::HasSubstr;

// The layout this tool writes: an objective with a weighted variable twice,
// rows, bounds, declarations, and "End" without a line end.
constexpr const char* kProgram =
    "Minimize\n\t- 2 z_a.1.1 + o_1_0 - 3 o_1_0 + l_a.1h\n\n"
    "Subject To\n\tz_a.1.1 + o_1_0 <= 1\n\tl_a.1h - r_1_a.1h = 0\n\tr_1_a.1h + z_a.1.1 >= 0\n\n"
    "Bounds\n\tr_1_a.1h >= -1\n\tr_1_a.1h <= 1\n\n"
    "Binary\n\tz_a.1.1\n\nGeneral\n\tl_a.1h\n\to_1_0\n\tr_1_a.1h\n\nEnd";

// Values in index order: z_a.1.1, o_1_0, l_a.1h, r_1_a.1h.
std::string refusal(const std::vector<double>& values, double objective) {
  const LinearProgram program = testutil::linearProgramFromLpText(kProgram);
  try {
    requireValidSolution(program, values, objective, "x.sol");
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "accepted";
}

TEST(LinearProgramTest, ReadsTheLpLayout) {
  const LinearProgram program = testutil::linearProgramFromLpText(kProgram);
  ASSERT_EQ(program.variables().size(), 4u);
  // Numbered in the order of first appearance; repeated objective terms summed.
  const ProgramVariable& z = program.variables()[0];
  const ProgramVariable& o = program.variables()[1];
  const ProgramVariable& r = program.variables()[3];
  EXPECT_EQ(z.name, "z_a.1.1");
  EXPECT_EQ(z.kind, VariableKind::kBinary);
  EXPECT_EQ(z.upper, 1);
  EXPECT_EQ(z.objective, -2);
  EXPECT_EQ(o.name, "o_1_0");
  EXPECT_EQ(o.objective, -2);
  EXPECT_EQ(o.lower, 0);  // no bound line: the LP default range
  EXPECT_TRUE(std::isinf(o.upper));
  EXPECT_EQ(program.variables()[2].name, "l_a.1h");
  EXPECT_EQ(r.lower, -1);
  EXPECT_EQ(r.upperText, "r_1_a.1h <= 1");
  EXPECT_EQ(r.objective, 0);
  ASSERT_EQ(program.rows().size(), 3u);
  EXPECT_EQ(rowText(program, program.rows()[1]), "l_a.1h - r_1_a.1h = 0");
  EXPECT_EQ(program.rows()[1].relation, Relation::kEqual);
  EXPECT_EQ(program.find("r_1_a.1h"), 3);
  EXPECT_EQ(program.find("r_1_a.1t"), -1);
  EXPECT_THROW(testutil::linearProgramFromLpText("Maximize\n\tx\n"), std::runtime_error);
}

TEST(SolutionCheckTest, AcceptsAFeasibleSolutionWithinTheTolerance) {
  EXPECT_EQ(refusal({1, 0, 1, 1}, -1), "accepted");
  EXPECT_EQ(refusal({0.9999999, 1e-9, 1, 1.0000001}, -1.0000001), "accepted");
  EXPECT_EQ(refusal({0, 1, 0, 0}, -2), "accepted");
  // Each relation may miss its right-hand side by less than the tolerance.
  EXPECT_EQ(refusal({1.0000001, 0, 1, 1}, -1.0000002), "accepted");  // <=
  EXPECT_EQ(refusal({0, 0, -1e-7, -1e-7}, -1e-7), "accepted");       // >=
}

TEST(SolutionCheckTest, RefusesWhatBreaksTheProgram) {
  // Both ones: the first row breaks, and so does nothing else.
  EXPECT_EQ(refusal({1, 1, 1, 1}, -3),
            "x.sol: the solution breaks 1 constraint of the program; the first: "
            "\"o_1_0 + z_a.1.1 <= 1\" (its left side is 2)");
  // l differs from r: the equality row breaks.
  EXPECT_THAT(refusal({1, 0, 0, 1}, -2),
              HasSubstr("breaks 1 constraint of the program; the first: \"l_a.1h - r_1_a.1h = 0\""));
  // r below its bound breaks the bound and the third row; the row is named first.
  EXPECT_THAT(refusal({0, 0, -2, -2}, -2),
              HasSubstr("breaks 3 constraints of the program; the first: \"r_1_a.1h + z_a.1.1 >= 0\""));
  // Short of a ">=" row by more than the tolerance.
  EXPECT_THAT(refusal({0, 0, -1e-5, -1e-5}, -1e-5),
              HasSubstr("the first: \"r_1_a.1h + z_a.1.1 >= 0\" (its left side is -1e-05)"));
  EXPECT_THAT(refusal({0.5, 0, 0, 0}, -1),
              HasSubstr("the first: \"z_a.1.1\" declared binary (z_a.1.1 is 0.5)"));
  EXPECT_THAT(refusal({0, 0.5, 0, 0}, -1),
              HasSubstr("the first: \"o_1_0\" declared general (o_1_0 is 0.5)"));
  EXPECT_THAT(refusal({0, -1, 0, 0}, 2),
              HasSubstr("the first: the default lower bound \"o_1_0 >= 0\" (o_1_0 is -1)"));
  EXPECT_EQ(refusal({1, 0, 1, 1}, -3),
            "x.sol: the solution reports the objective -3, but its values give -1");
}

TEST(SolutionCheckTest, FormatsNumbers) {
  EXPECT_EQ(formatNumber(-20.0000000001), "-20");
  EXPECT_EQ(formatNumber(-0.0), "0");
  EXPECT_EQ(formatNumber(-63.78235658), "-63.78235658");
  std::vector<double> values = {0.9999999, -1e-9, -0.9999999};
  roundValues(values);
  EXPECT_EQ(values, (std::vector<double>{1, 0, -1}));
  EXPECT_FALSE(std::signbit(values[1]));
}

}  // namespace
}  // namespace paralog
