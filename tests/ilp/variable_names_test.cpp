#include <gtest/gtest.h>

#include <string>

#include "lp/variable_names.h"

namespace paralog {
namespace {

TEST(VariableNamesTest, AZNameReadsBackAsTheCopyPairThatSpelledIt) {
  std::string name;
  appendZName(name, "g_7", 12, 3);
  const auto z = readZName(name);
  ASSERT_TRUE(z.has_value());
  EXPECT_EQ(z->gene, "g_7");
  EXPECT_EQ(z->first, 12);
  EXPECT_EQ(z->second, 3);
}

TEST(VariableNamesTest, NamesOfOtherFamiliesOrModelsAreNoZNames) {
  for (const char* name : {"z12", "p_1_a.1ha.2t", "z_.1.1", "z_a.1", "z_a.1.x", "z_a.1.1."}) {
    EXPECT_FALSE(readZName(name).has_value()) << name;
  }
  EXPECT_EQ(variableFamily("p_1_a.1ha.2t"), VariableFamily::kP);
  EXPECT_EQ(variableFamily("p12"), VariableFamily::kOther);
}

}  // namespace
}  // namespace paralog
