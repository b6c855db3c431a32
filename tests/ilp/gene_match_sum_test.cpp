#include "ilp/gene_match_sum.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ilp/structure_builders.h"

namespace paralog {
namespace {

using testutil::kLinear;
using testutil::makeStructure;

using testutil::names;

TEST(GeneMatchSumTest, ExampleTable) {
  const Structure second = makeStructure(2, {{kLinear, "+a.1 +a.2"}});
  const Structure first = makeStructure(1, {{kLinear, "+a.1 -a.3"}});
  VariablesStorage storage;
  EXPECT_EQ(firstGeneMatchSum(Gene{"a", 1, 1}, second, storage, true, ""), "z_a.1.1 + z_a.1.2");
  EXPECT_EQ(firstGeneMatchSum(Gene{"a", 1, 1}, second, storage, false, "3"),
            "3 z_a.1.1 - 3 z_a.1.2");
  EXPECT_EQ(secondGeneMatchSum(Gene{"a", 2, 1}, first, storage, true, "1"),
            "1 z_a.1.2 + 1 z_a.3.2");
  EXPECT_EQ(names(storage.binaryVariables()),
            (std::vector<std::string>{"z_a.1.1", "z_a.1.2", "z_a.3.2"}));
  EXPECT_TRUE(storage.generalVariables().empty());
}

TEST(GeneMatchSumTest, SinglePartnerHasNoSignAndCoefficientStandsBeforeIt) {
  const Structure other = makeStructure(2, {{kLinear, "+g7.4"}});
  VariablesStorage storage;
  EXPECT_EQ(firstGeneMatchSum(Gene{"g7", 9, -1}, other, storage, false, ""), "z_g7.9.4");
  EXPECT_EQ(secondGeneMatchSum(Gene{"g7", 9, -1}, other, storage, true, "12"), "12 z_g7.4.9");
}

TEST(GeneMatchSumTest, RepeatedPartnerIsRepeatedAndRegisteredOnce) {
  const Structure other = makeStructure(2, {{kLinear, "+a.1 +b.1 +a.1"}});
  VariablesStorage storage;
  EXPECT_EQ(firstGeneMatchSum(Gene{"a", 5, 1}, other, storage, true, ""), "z_a.5.1 + z_a.5.1");
  EXPECT_EQ(storage.binaryVariables().size(), 1u);
}

TEST(GeneMatchSumTest, AppendingFormKeepsWhatTheTextHeld) {
  const Structure other = makeStructure(1, {{kLinear, "+a.10 +a.2"}});
  VariablesStorage storage;
  std::string text = "x - ";
  secondGeneMatchSum("a", 3, other, storage, false, "2", text);
  EXPECT_EQ(text, "x - 2 z_a.10.3 - 2 z_a.2.3");
}

TEST(GeneMatchSumTest, MissingGeneNameFailsNamingTheGene) {
  const Structure other = makeStructure(2, {{kLinear, "+a.1"}});
  VariablesStorage storage;
  for (GeneMatchSumBuilder builder : {GeneMatchSumBuilder{firstGeneMatchSum},
                                      GeneMatchSumBuilder{secondGeneMatchSum}}) {
    std::string text;
    try {
      builder("missing_gene", 1, other, storage, true, "", text);
      FAIL() << "no error for a gene the other structure lacks";
    } catch (const std::out_of_range& error) {
      EXPECT_NE(std::string(error.what()).find("missing_gene"), std::string::npos)
          << error.what();
    }
  }
  EXPECT_TRUE(storage.binaryVariables().empty());
}

}  // namespace
}  // namespace paralog
