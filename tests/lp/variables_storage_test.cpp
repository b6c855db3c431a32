#include "lp/variables_storage.h"
#include "support/declared_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace paralog {
namespace {

using Names = std::vector<std::string_view>;

TEST(VariablesStorageTest, BuildsTheNamesOfEveryFamily) {
  VariablesStorage storage;
  EXPECT_EQ(storage.zVariable("g7", 1, 2), "z_g7.1.2");
  EXPECT_EQ(storage.tVariable(0, Extremity{"g2", 1, 't'}, Extremity{"g1", 1, 'h'}), "t_0_g1.1hg2.1t");
  EXPECT_EQ(storage.uVariable(1, Extremity{"g1", 1, 'h'}, Extremity{"g2", 1, 't'}), "u_1_g1.1hg2.1t");
  EXPECT_EQ(storage.pVariable(1, Extremity{"g3", 10, 't'}, Extremity{"g3", 2, 't'}), "p_1_g3.10tg3.2t");
  EXPECT_EQ(storage.rVariable(1, Extremity{"g3", 2, 'h'}), "r_1_g3.2h");
  EXPECT_EQ(storage.lVariable(Extremity{"g3", 2, 'h'}), "l_g3.2h");
  EXPECT_EQ(storage.oVariable(1, 4), "o_1_4");
  EXPECT_EQ(testutil::binaryNames(storage), (Names{"p_1_g3.10tg3.2t", "t_0_g1.1hg2.1t", "z_g7.1.2"}));
  EXPECT_EQ(testutil::generalNames(storage), (Names{"l_g3.2h", "o_1_4", "r_1_g3.2h", "u_1_g1.1hg2.1t"}));
}

TEST(VariablesStorageTest, NegativeNumbersAndEqualKeys) {
  VariablesStorage storage;
  EXPECT_EQ(storage.zVariable("a", -1, 0), "z_a.-1.0");
  EXPECT_EQ(storage.tVariable(3, "a.1t", "a.1t"), "t_3_a.1ta.1t");
  EXPECT_EQ(storage.oVariable(0, 18446744073709551615ull), "o_0_18446744073709551615");
}

TEST(VariablesStorageTest, PairNamesDoNotDependOnArgumentOrder) {
  VariablesStorage storage;
  const Extremity a{"b", 1, 'h'};
  const Extremity b{"a", 2, 't'};
  EXPECT_EQ(storage.tVariable(1, a, b), storage.tVariable(1, b, a));
  EXPECT_EQ(storage.pVariable(1, a, b), storage.pVariable(1, b, a));
  EXPECT_EQ(storage.uVariable(1, a, b), storage.uVariable(1, b, a));
  EXPECT_EQ(storage.tVariable(1, "b.1h", "a.2t"), "t_1_a.2tb.1h");
  EXPECT_EQ(testutil::binaryNames(storage).size(), 2u);
  EXPECT_EQ(testutil::generalNames(storage).size(), 1u);
}

TEST(VariablesStorageTest, RepeatedRequestsKeepOneName) {
  VariablesStorage storage;
  const std::string_view first = storage.zVariable("a", 1, 1);
  const std::string_view again = storage.zVariable("a", 1, 1);
  EXPECT_EQ(first.data(), again.data());
  EXPECT_EQ(testutil::binaryNames(storage).size(), 1u);
  storage.oVariable(2, 0);
  storage.oVariable(2, 0);
  EXPECT_EQ(testutil::generalNames(storage), (Names{"o_2_0"}));
}

TEST(VariablesStorageTest, DeclarationsComeOutInByteOrderNotCreationOrder) {
  VariablesStorage storage;
  storage.zVariable("a", 2, 1);
  storage.zVariable("a", 10, 1);
  storage.zVariable("B", 1, 1);
  storage.pVariable(1, "a.1h", "a.1t");
  storage.tVariable(1, "a.1h", "a.1t");
  storage.rVariable(1, "a.1h");
  storage.lVariable("a.1h");
  storage.uVariable(1, "a.1h", "a.1t");
  storage.oVariable(1, 0);
  EXPECT_EQ(testutil::binaryNames(storage),
            (Names{"p_1_a.1ha.1t", "t_1_a.1ha.1t", "z_B.1.1", "z_a.10.1", "z_a.2.1"}));
  EXPECT_EQ(testutil::generalNames(storage), (Names{"l_a.1h", "o_1_0", "r_1_a.1h", "u_1_a.1ha.1t"}));
}

TEST(NameSetTest, SurvivesGrowthAndKeepsViewsValid) {
  NameSet set;
  std::vector<std::string_view> views;
  for (int i = 0; i < 100000; ++i) views.push_back(set.insert("name" + std::to_string(i)));
  EXPECT_EQ(set.size(), 100000u);
  for (int i = 0; i < 100000; i += 997) {
    EXPECT_EQ(views[i], "name" + std::to_string(i));
    EXPECT_EQ(set.insert("name" + std::to_string(i)).data(), views[i].data());
  }
  EXPECT_TRUE(set.contains("name99999"));
  EXPECT_FALSE(set.contains("name100000"));
  const std::vector<std::string_view> sorted = set.sorted();
  EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
  EXPECT_EQ(sorted.front(), "name0");
}

TEST(NameSetTest, EmptyAndLongNames) {
  NameSet set;
  EXPECT_EQ(set.insert(""), "");
  EXPECT_TRUE(set.contains(""));
  const std::string longName(3 << 20, 'x');
  EXPECT_EQ(set.insert(longName), longName);
  EXPECT_EQ(set.insert("after"), "after");
  EXPECT_EQ(set.size(), 3u);
}

}  // namespace
}  // namespace paralog
