#include "lp/pair_name_block.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lp/variables_storage.h"
#include "support/declared_names.h"

namespace paralog {
namespace {

using Names = std::vector<std::string_view>;

TEST(PairNameBlockTest, SpellsEveryPairByPosition) {
  PairNameBlock block("t_7_", {"a.10h", "a.1t", "b.2h", "c.1t"});
  EXPECT_EQ(block.nameCount(), 6u);
  EXPECT_EQ(block.name(0, 1), "t_7_a.10ha.1t");
  EXPECT_EQ(block.name(1, 0), "t_7_a.10ha.1t");
  EXPECT_EQ(block.name(1, 3), "t_7_a.1tc.1t");
  EXPECT_EQ(block.name(2, 3), "t_7_b.2hc.1t");
  EXPECT_EQ(block.position("b.2h"), 2);
  EXPECT_EQ(block.position("b.2t"), -1);
  EXPECT_TRUE(block.namesSorted());
  EXPECT_FALSE(block.used(0, 3));
  EXPECT_EQ(block.use(3, 0), "t_7_a.10hc.1t");
  EXPECT_TRUE(block.used(0, 3));
  EXPECT_FALSE(block.used(0, 2));
}

TEST(PairNameBlockTest, SpellsOnlyTheNamesAskedForAndOneStandInForTheRest) {
  const Names asked = {"t_7_a.1tc.1t", "t_8_a.10ha.1t", "z_a.1.1", "t_7_a.10hb.2h", "t_7_"};
  PairNameBlock block("t_7_", {"a.10h", "a.1t", "b.2h", "c.1t"}, &asked);
  EXPECT_EQ(block.name(3, 1), "t_7_a.1tc.1t");
  EXPECT_EQ(block.name(0, 2), "t_7_a.10hb.2h");
  EXPECT_EQ(block.name(0, 1), "t_7_");  // not asked for (another id's)
  EXPECT_EQ(block.use(1, 0), "t_7_");
  EXPECT_FALSE(block.used(0, 1));  // a stand-in is never declared
  EXPECT_EQ(block.use(1, 3), "t_7_a.1tc.1t");
  EXPECT_TRUE(block.used(3, 1));
  Names spelled;
  block.forEachName([&spelled](std::string_view name) { spelled.push_back(name); });
  EXPECT_EQ(spelled, (Names{"t_7_a.10hb.2h", "t_7_a.1tc.1t"}));
  VariablesStorage storage(&asked);
  storage.tPairNames(7, {"a.10h", "a.1t", "b.2h", "c.1t"});
  storage.tVariable(7, "a.1t", "b.2h");
  storage.tVariable(7, "c.1t", "a.1t");
  EXPECT_EQ(testutil::binaryNames(storage), (Names{"t_7_a.1tc.1t"}));
}

TEST(PairNameBlockTest, TinyBlocksAndPrefixKeys) {
  PairNameBlock empty("t_1_", {});
  EXPECT_EQ(empty.nameCount(), 0u);
  PairNameBlock single("t_1_", {"a.1t"});
  EXPECT_EQ(single.nameCount(), 0u);
  // A key that is a prefix of another can break the order: "a"+"b" > "aa"+"b".
  PairNameBlock prefixes("t_", {"a", "aa", "b"});
  EXPECT_FALSE(prefixes.namesSorted());
  EXPECT_THROW(PairNameBlock("t_", {"b", "a"}), std::logic_error);
}

TEST(PairNameBlockTest, StorageDeclaresOnlyUsedBlockNamesMergedWithTheRest) {
  VariablesStorage storage;
  PairNameBlock& block = storage.tPairNames(2, {"a.1h", "a.1t", "b.1h", "b.1t"});
  EXPECT_EQ(&storage.tPairNames(2, {"a.1h", "a.1t", "b.1h", "b.1t"}), &block);
  block.use(0, 3);
  storage.tVariable(2, "b.1h", "a.1t");           // found in the block
  storage.tVariable(2, "a.1h", "a.1h");           // an end with itself: hashed
  storage.tVariable(3, "a.1h", "a.1t");           // another id: hashed
  storage.zVariable("a", 1, 1);
  EXPECT_EQ(testutil::binaryNames(storage),
            (Names{"t_2_a.1ha.1h", "t_2_a.1hb.1t", "t_2_a.1tb.1h", "t_3_a.1ha.1t", "z_a.1.1"}));
}

TEST(PairNameBlockTest, BlocksOfTheSameIdShareTheirCommonNames) {
  // Both structures with the same id: their blocks overlap.
  VariablesStorage storage;
  PairNameBlock& first = storage.tPairNames(1, {"a.1h", "a.1t", "b.1t"});
  PairNameBlock& second = storage.tPairNames(1, {"a.1h", "a.1t", "c.1h"});
  first.use(0, 1);
  first.use(1, 2);
  second.use(0, 1);
  second.use(0, 2);
  storage.tVariable(1, "a.1t", "a.1h");
  EXPECT_EQ(testutil::binaryNames(storage),
            (Names{"t_1_a.1ha.1t", "t_1_a.1hc.1h", "t_1_a.1tb.1t"}));
}

TEST(PairNameBlockTest, UnsortedBlocksAreDeclaredInByteOrderToo) {
  VariablesStorage storage;
  PairNameBlock& block = storage.tPairNames(1, {"a", "aa", "b"});
  block.use(0, 1);  // t_1_aaa
  block.use(0, 2);  // t_1_ab, which sorts after the next one
  block.use(1, 2);  // t_1_aab
  storage.tVariable(1, "aa", "zz");
  EXPECT_EQ(testutil::binaryNames(storage), (Names{"t_1_aaa", "t_1_aab", "t_1_aazz", "t_1_ab"}));
}

}  // namespace
}  // namespace paralog
