#include "support/inequality.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace paralog {
namespace {

std::string canonical(std::string_view text) { return renderInequality(parseInequality(text)); }

void expectInvalid(std::string_view text) {
  try {
    canonical(text);
    ADD_FAILURE() << "accepted: \"" << text << "\"";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Provided expression is invalid inequality") << text;
  }
}

TEST(InequalityTest, SortsMergesAndRendersCanonically) {
  EXPECT_EQ(canonical("b + a - 2 c <= 1"), "a + b - 2 c <= 1");
  EXPECT_EQ(canonical("x - y + x >= 0"), "2 x - y >= 0");
  EXPECT_EQ(canonical("- 2 3 x = -6"), "- 6 x = -6");
  EXPECT_EQ(canonical("2 x + y = 4"), "2 x + y = 4");
  EXPECT_EQ(canonical("- 1 x + 1 y <= 0"), "- x + y <= 0");
  EXPECT_EQ(canonical("z_a.1.1 + z_a.1.2 <= 1"), "z_a.1.1 + z_a.1.2 <= 1");
  EXPECT_EQ(canonical("r_1_a.1h >= -1"), "r_1_a.1h >= -1");
  EXPECT_EQ(canonical("x - x + y - y = 0"), " = 0");
}

TEST(InequalityTest, MergesRepeatedVariablesAndDropsCancelledOnes) {
  EXPECT_EQ(canonical("x + x <= 2"), "2 x <= 2");
  EXPECT_EQ(canonical("x + y - x <= 2"), "y <= 2");
  EXPECT_EQ(canonical("3 x - 2 x <= 2"), "x <= 2");
  EXPECT_EQ(canonical("- 3 x + 2 x <= 2"), "- x <= 2");
}

TEST(InequalityTest, MultipliesFactorsUntilTheNextSign) {
  EXPECT_EQ(canonical("+ 2 3 x <= 0"), "6 x <= 0");
  EXPECT_EQ(canonical("2 3 x - y <= 0"), "6 x - y <= 0");
  // The pending coefficient survives a variable: y gets 2 as well.
  EXPECT_EQ(canonical("2 x y <= 0"), "2 x + 2 y <= 0");
  // Factor "-6" is a sign token: it only resets the coefficient to -1.
  EXPECT_EQ(canonical("+ 5 x -6 y <= 0"), "5 x - y <= 0");
  EXPECT_EQ(canonical("+ 2x y <= 0"), "2 y <= 0");
}

TEST(InequalityTest, EmptyTokensHaveNoEffect) {
  EXPECT_EQ(canonical(" + 2 x - y >= 0"), "2 x - y >= 0");
  EXPECT_EQ(canonical("x +  - y <= 0"), "x - y <= 0");
  EXPECT_EQ(canonical("x + y  <= 0"), "x + y <= 0");
  EXPECT_EQ(canonical("x  = 0"), "x = 0");
  EXPECT_EQ(canonical(" + 2 z_a.1.1 + 2 z_b.1.1 - u_2_a.1hb.1h >= 0"),
            "- u_2_a.1hb.1h + 2 z_a.1.1 + 2 z_b.1.1 >= 0");
}

TEST(InequalityTest, LeadingSignFollowsTheFirstTermInNameOrder) {
  EXPECT_EQ(canonical("- b + a <= 0"), "a - b <= 0");
  EXPECT_EQ(canonical("b - a <= 0"), "- a + b <= 0");
  EXPECT_EQ(canonical("- 3 b <= 0"), "- 3 b <= 0");
}

TEST(InequalityTest, RightSideIsRenderedInDecimal) {
  EXPECT_EQ(canonical("x <= +3"), "x <= 3");
  EXPECT_EQ(canonical("x >= -2"), "x >= -2");
  EXPECT_EQ(canonical("x <= 007"), "x <= 7");
  EXPECT_EQ(canonical("x <= 3abc"), "x <= 3");
}

TEST(InequalityTest, TermsComeOutInUnsignedByteOrder) {
  EXPECT_EQ(canonical("z_b.1.1 + t_0_a.1ha.1t <= 1"), "t_0_a.1ha.1t + z_b.1.1 <= 1");
  EXPECT_EQ(canonical("z_a.2.1 + z_a.10.1 <= 1"), "z_a.10.1 + z_a.2.1 <= 1");
  EXPECT_EQ(canonical("x_b + x_B + x_a <= 1"), "x_B + x_a + x_b <= 1");
  EXPECT_EQ(canonical("xa + x <= 1"), "x + xa <= 1");
  EXPECT_EQ(canonical("x\xc3 + x~ <= 1"), "x~ + x\xc3 <= 1");
}

TEST(InequalityTest, RefusesTextsThatAreNotInequalities) {
  expectInvalid("x + y");
  expectInvalid("= 3");
  expectInvalid("x != 3");
  expectInvalid("x == 3");
  expectInvalid("x =< 3");
  expectInvalid("x<= 3");
  expectInvalid("x <=3");
  expectInvalid("x <= ");
  expectInvalid("x <=");
  expectInvalid("x <= y");
  expectInvalid("<= 3");
  expectInvalid("x <= 99999999999");
  expectInvalid("X + y <= 1");
  expectInvalid("2147483647 2 x <= 1");
  expectInvalid("");
}

TEST(InequalityTest, ExpressionRoundTrip) {
  const TermList terms = parseExpression("c - 2 b + a");
  ASSERT_EQ(terms.size(), 3u);
  EXPECT_EQ(terms[0].name, "a");
  EXPECT_EQ(terms[1].coefficient, -2);
  EXPECT_EQ(renderExpression(terms), "a - 2 b + c");
  EXPECT_EQ(renderExpression(parseExpression("")), "");
  EXPECT_EQ(renderExpression(parseExpression("- 1 x")), "- x");
}

TEST(InequalityTest, LongLinesKeepEveryTerm) {
  std::string text;
  for (int i = 1999; i >= 0; --i) {
    text += "t_" + std::to_string(i) + " + ";
  }
  text += "t_5 <= 1";
  const Inequality inequality = parseInequality(text);
  ASSERT_EQ(inequality.terms.size(), 2000u);
  EXPECT_EQ(inequality.terms.front().name, "t_0");
  EXPECT_EQ(inequality.terms.back().name, "t_999");
  for (const Term& term : inequality.terms) {
    EXPECT_EQ(term.coefficient, term.name == "t_5" ? 2 : 1);
  }
}

}  // namespace
}  // namespace paralog
