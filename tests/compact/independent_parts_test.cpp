// The split of two genomes into parts that no gene links.
#include "compact/independent_parts.h"

#include <gtest/gtest.h>

#include "support/structure_builders.h"

namespace paralog::compact {
namespace {

using testutil::circular;
using testutil::linear;

TEST(IndependentPartsTest, ChromosomesLinkedByAGeneOrAChainOfGenesShareAPart) {
  const Structure first = testutil::structure(1, {linear({"+a.1", "+b.1"}), linear({"+c.1"}),
                                                  circular({"+d.1", "+e.1"}), linear({"+f.1", "-f.2"})});
  const Structure second = testutil::structure(
      2, {linear({"+c.1", "-b.1"}), linear({"+a.1"}), circular({"+e.1"}), linear({"+d.1"}), linear({"+f.2"})});
  const std::vector<GenomePart> parts = independentParts(first, second);
  ASSERT_EQ(parts.size(), 3u);
  // a links the first chromosomes of both, c the first's second to them.
  EXPECT_EQ(parts[0].first.chromosomes.size(), 2u);
  EXPECT_EQ(parts[0].second.chromosomes.size(), 2u);
  EXPECT_EQ(parts[0].second.chromosomes[1].genes[0].name, "a");
  EXPECT_TRUE(parts[1].first.chromosomes[0].circular);
  EXPECT_EQ(parts[1].second.chromosomes.size(), 2u);
  EXPECT_EQ(parts[2].first.copies.at("f"), (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(parts[2].second.copies.at("f"), (std::vector<int32_t>{2}));
  EXPECT_EQ(parts[2].second.id, 2);
  EXPECT_EQ(parts[0].first.copies.count("f"), 0u);
}

TEST(IndependentPartsTest, AnEmptyChromosomeKeepsTheGenomesWhole) {
  Structure first = testutil::structure(1, {linear({"+a.1"}), linear({"+b.1"})});
  const Structure second = testutil::structure(2, {linear({"+a.1"}), linear({"+b.1"})});
  EXPECT_EQ(independentParts(first, second).size(), 2u);
  first.chromosomes.push_back(Chromosome{});
  EXPECT_EQ(independentParts(first, second).size(), 1u);
}

}  // namespace
}  // namespace paralog::compact
