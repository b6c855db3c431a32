#include "common/to_int.h"

#include <gtest/gtest.h>

namespace paralog {
namespace {

TEST(ToIntTest, ReadsTheIntegerAtTheStartAndIgnoresTheRest) {
  EXPECT_EQ(toInt("12"), 12);
  EXPECT_EQ(toInt("12x"), 12);
  EXPECT_EQ(toInt("3y"), 3);
  EXPECT_EQ(toInt("007"), 7);
  EXPECT_EQ(toInt("  \t\n-5"), -5);
  EXPECT_EQ(toInt("+7"), 7);
  EXPECT_EQ(toInt("-0"), 0);
  EXPECT_EQ(toInt("10.5"), 10);
}

TEST(ToIntTest, TextWithoutANumberGivesNothing) {
  EXPECT_EQ(toInt(""), std::nullopt);
  EXPECT_EQ(toInt("   "), std::nullopt);
  EXPECT_EQ(toInt("x1"), std::nullopt);
  EXPECT_EQ(toInt("-"), std::nullopt);
  EXPECT_EQ(toInt("+-1"), std::nullopt);
  EXPECT_EQ(toInt("- 1"), std::nullopt);
}

TEST(ToIntTest, ThirtyTwoBitLimits) {
  EXPECT_EQ(toInt("2147483647"), 2147483647);
  EXPECT_EQ(toInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(toInt("2147483648"), std::nullopt);
  EXPECT_EQ(toInt("-2147483649"), std::nullopt);
  // Far too many digits must neither overflow nor wrap around to a small value.
  EXPECT_EQ(toInt("99999999999999999999999999999999"), std::nullopt);
  EXPECT_EQ(toInt("18446744073709551617"), std::nullopt);
}

}  // namespace
}  // namespace paralog
