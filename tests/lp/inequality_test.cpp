#include "lp/inequality.h"

#include <gtest/gtest.h>

namespace paralog {
namespace {

std::string canonical(std::string_view text) { return renderInequality(parseInequality(text)); }

TEST(InequalityTest, ExampleTable) {
  EXPECT_EQ(canonical("b + a - 2 c <= 1"), "a + b - 2 c <= 1");
  EXPECT_EQ(canonical("x - y + x >= 0"), "2 x - y >= 0");
  EXPECT_EQ(canonical("- 2 3 x = -6"), "- 6 x = -6");
  EXPECT_EQ(canonical("2 x + y = 4"), "2 x + y = 4");
  EXPECT_EQ(canonical("- 1 x + 1 y <= 0"), "- x + y <= 0");
  EXPECT_EQ(canonical("z_a.1.1 + z_a.1.2 <= 1"), "z_a.1.1 + z_a.1.2 <= 1");
  EXPECT_EQ(canonical("r_1_a.1h >= -1"), "r_1_a.1h >= -1");
  EXPECT_EQ(canonical("x - x + y - y = 0"), " = 0");
  EXPECT_THROW(canonical("x + y"), std::runtime_error);
}

}  // namespace
}  // namespace paralog
