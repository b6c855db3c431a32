#include "ilp/extremities.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/structure_builders.h"

namespace paralog {
namespace {

using testutil::kCircular;
using testutil::kLinear;
using testutil::makeStructure;

std::vector<std::string> keysOf(const std::vector<Extremity>& extremities) {
  std::vector<std::string> keys;
  for (const Extremity& e : extremities) keys.push_back(extremityKey(e));
  return keys;
}

// Byte order written out, so that the reference below does not lean on the
// comparison the code under test uses.
bool byteLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
      });
}

struct KeyPairLess {
  bool operator()(const std::pair<std::string, std::string>& a,
                  const std::pair<std::string, std::string>& b) const {
    if (a.first != b.first) return byteLess(a.first, b.first);
    return byteLess(a.second, b.second);
  }
};

// The pair set as defined: every ordered choice of two different entries of
// the extremity list, put in key order, collected into an ordered set.
std::vector<std::pair<std::string, std::string>> referencePairs(const Structure& structure) {
  const std::vector<Extremity> all = structureExtremities(structure);
  std::set<std::pair<std::string, std::string>, KeyPairLess> pairs;
  for (const Extremity& a : all) {
    for (const Extremity& b : all) {
      if (a == b) continue;
      std::string ka = extremityKey(a);
      std::string kb = extremityKey(b);
      if (byteLess(ka, kb)) {
        pairs.emplace(ka, kb);
      } else {
        pairs.emplace(kb, ka);
      }
    }
  }
  return {pairs.begin(), pairs.end()};
}

// The pairs (i, j), i < j, of the sorted distinct list, i outer.
std::vector<std::pair<std::string, std::string>> listedPairs(const ExtremityPairs& pairs) {
  std::vector<std::pair<std::string, std::string>> result;
  for (size_t i = 0; i < pairs.sorted.size(); ++i) {
    for (size_t j = i + 1; j < pairs.sorted.size(); ++j) {
      result.emplace_back(extremityKey(pairs.sorted[i]), extremityKey(pairs.sorted[j]));
    }
  }
  return result;
}

TEST(StructureExtremitiesTest, CopiesInKeyOrderThenListOrderTailBeforeHead) {
  const Structure s = makeStructure(1, {{kLinear, "+b.1 -a.2"}, {kCircular, "+a.1 +b.1"}});
  // copies: a -> [2, 1], b -> [1, 1]
  EXPECT_EQ(keysOf(structureExtremities(s)),
            (std::vector<std::string>{"a.2t", "a.2h", "a.1t", "a.1h", "b.1t", "b.1h", "b.1t",
                                      "b.1h"}));
  const std::vector<Extremity> all = structureExtremities(s);
  EXPECT_EQ(extremityKeys(all), keysOf(all));
}

TEST(StructureExtremitiesTest, EmptyStructureAndEmptyChromosomes) {
  const Structure s = makeStructure(1, {{kLinear, ""}, {kCircular, ""}});
  EXPECT_TRUE(structureExtremities(s).empty());
  const ExtremityPairs pairs = structureExtremityPairs(s);
  EXPECT_TRUE(pairs.sorted.empty());
  EXPECT_EQ(pairs.pairCount(), 0u);
}

TEST(StructureExtremityPairsTest, SortedDistinctListYieldsExactlyThePairSet) {
  const std::vector<Structure> structures = {
      makeStructure(1, {{kLinear, "+a.1"}}),
      makeStructure(1, {{kLinear, "+a.1 +a.2"}}),
      // a copy listed twice, also across chromosomes
      makeStructure(1, {{kLinear, "+a.1 -b.1 +a.1"}, {kCircular, "+b.1 +c.3"}}),
      // copy indices 2 and 10, a negative index
      makeStructure(1, {{kLinear, "+a.2 +a.10 -a.-1"}}),
      // names that are prefixes of others, and bytes above 0x7f
      makeStructure(1, {{kCircular, "+a.1 +a1.1 +ab.1 -\xc3\xa9.1 +z.1 +A.1"}}),
  };
  for (const Structure& s : structures) {
    const ExtremityPairs pairs = structureExtremityPairs(s);
    EXPECT_EQ(listedPairs(pairs), referencePairs(s));
    ASSERT_EQ(pairs.keys.size(), pairs.sorted.size());
    EXPECT_EQ(pairs.keys, keysOf(pairs.sorted));
    EXPECT_EQ(pairs.pairCount(), referencePairs(s).size());
  }
}

TEST(StructureExtremityPairsTest, CopiesTwoAndTenSortAsText) {
  const ExtremityPairs pairs = structureExtremityPairs(makeStructure(1, {{kLinear, "+a.2 +a.10"}}));
  EXPECT_EQ(pairs.keys, (std::vector<std::string>{"a.10h", "a.10t", "a.2h", "a.2t"}));
}

TEST(StructureExtremityPairsTest, RepeatedCopyIsListedOnce) {
  const ExtremityPairs pairs =
      structureExtremityPairs(makeStructure(1, {{kLinear, "+a.1 +a.1"}, {kCircular, "+a.1"}}));
  EXPECT_EQ(pairs.keys, (std::vector<std::string>{"a.1h", "a.1t"}));
  EXPECT_EQ(pairs.pairCount(), 1u);
}

}  // namespace
}  // namespace paralog
