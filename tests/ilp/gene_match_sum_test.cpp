#include "ilp/gene_match_sum.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/declared_names.h"
#include "support/structure_builders.h"

namespace paralog {
namespace {

using testutil::kLinear;
using testutil::makeStructure;

using testutil::names;

// The terms as "coefficient name" texts, in the order appended.
std::vector<std::string> texts(const TermList& terms) {
  std::vector<std::string> out;
  for (const Term& term : terms) out.push_back(std::to_string(term.coefficient) + " " + std::string(term.name));
  return out;
}

TEST(GeneMatchSumTest, PartnersInCopyListOrderRepeatsKeptEachNameRegisteredOnce) {
  const Structure second = makeStructure(2, {{kLinear, "+a.10 +a.2 +a.10"}});
  const Structure first = makeStructure(1, {{kLinear, "+a.1 -a.3"}});
  VariablesStorage storage;
  TermList terms{Term{"x", 5}};
  firstGeneMatchSum("a", 1, second, storage, -3, terms);
  EXPECT_EQ(texts(terms), (std::vector<std::string>{"5 x", "-3 z_a.1.10", "-3 z_a.1.2", "-3 z_a.1.10"}));
  terms.clear();
  secondGeneMatchSum("a", 2, first, storage, 1, terms);
  EXPECT_EQ(texts(terms), (std::vector<std::string>{"1 z_a.1.2", "1 z_a.3.2"}));
  EXPECT_EQ(names(testutil::binaryNames(storage)),
            (std::vector<std::string>{"z_a.1.10", "z_a.1.2", "z_a.3.2"}));
  EXPECT_TRUE(testutil::generalNames(storage).empty());
}

// A gene of one structure only (kept with --keep-unshared) has no partner.
TEST(GeneMatchSumTest, MissingGeneNameAppendsNoTerm) {
  const Structure other = makeStructure(2, {{kLinear, "+a.1"}});
  VariablesStorage storage;
  for (GeneMatchSumBuilder builder : {GeneMatchSumBuilder{firstGeneMatchSum},
                                      GeneMatchSumBuilder{secondGeneMatchSum}}) {
    TermList terms;
    builder("missing_gene", 1, other, storage, 1, terms);
    EXPECT_TRUE(terms.empty());
  }
  EXPECT_TRUE(testutil::binaryNames(storage).empty());
}

}  // namespace
}  // namespace paralog
