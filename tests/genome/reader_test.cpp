#include "genome/reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/reader_test_support.h"
#include "support/run_program.h"

namespace paralog {
namespace {

using ::testing::ElementsAre;
using testutil::describe;
using testutil::describeChromosomes;
using testutil::readInput;

constexpr std::string_view kWorkedExample =
    "3\n"
    "a 2\n"
    "b 1\n"
    "c 1\n"
    "2\n"
    "first 0 : 1 :\n"
    "L 4 : +a.1-b.1+a.2+c.1;\n"
    "second 1 : 2 :\n"
    "C 2 : +a.1+c.1;\n"
    "L 2 : -b.1-a.2;\n";

TEST(ReaderTest, WorkedExample) {
  const testutil::InputContent content = readInput(kWorkedExample);
  EXPECT_EQ(content.paralogTable, (ParalogTable{{"a", 2}, {"b", 1}, {"c", 1}}));
  ASSERT_EQ(content.structures.size(), 2u);

  const Structure& first = content.structures[0];
  EXPECT_EQ(first.name, "first");
  EXPECT_EQ(first.id, 0);
  EXPECT_THAT(describeChromosomes(first), ElementsAre("L: +a.1 -b.1 +a.2 +c.1"));
  EXPECT_EQ(describe(first.copies), "a:[1,2] b:[1] c:[1]");

  const Structure& second = content.structures[1];
  EXPECT_EQ(second.name, "second");
  EXPECT_EQ(second.id, 1);
  EXPECT_THAT(describeChromosomes(second), ElementsAre("C: +a.1 +c.1", "L: -b.1 -a.2"));
  EXPECT_EQ(describe(second.copies), "a:[1,2] b:[1] c:[1]");
}

TEST(ReaderTest, BundledWorkedExampleMatches) {
  // examples/worked-example.txt is the same input as above.
  const std::string text = testutil::readFile(testutil::sourcePath("examples/worked-example.txt"));
  const testutil::InputContent content = readInput(text);
  ASSERT_EQ(content.structures.size(), 2u);
  EXPECT_THAT(describeChromosomes(content.structures[1]),
              ElementsAre("C: +a.1 +c.1", "L: -b.1 -a.2"));
}

TEST(ReaderTest, LayoutOverLinesIsFree) {
  // All on one line, with tabs and carriage returns as white space.
  const testutil::InputContent content =
      readInput("1 a\t2 2 first 0 : 1 : L 1 : +a.1;\r\nsecond 1 : 1 :\r\n\r\nC 1 : -a.1;");
  ASSERT_EQ(content.structures.size(), 2u);
  EXPECT_THAT(describeChromosomes(content.structures[0]), ElementsAre("L: +a.1"));
  EXPECT_THAT(describeChromosomes(content.structures[1]), ElementsAre("C: -a.1"));
}

TEST(ReaderTest, HeaderItemsMayTouch) {
  // An integer ends at its last digit; the separator after it may follow directly.
  for (const std::string header : {"first 0 : 1 :", "first 0 :1:", "first 0:1:"}) {
    const testutil::InputContent content =
        readInput("0 2 " + header + " L 1 : +a.1; second 1 : 1 : L 1 : +a.1;");
    ASSERT_EQ(content.structures.size(), 2u) << header;
    EXPECT_EQ(content.structures[0].name, "first") << header;
    EXPECT_EQ(content.structures[0].id, 0) << header;
    EXPECT_THAT(describeChromosomes(content.structures[0]), ElementsAre("L: +a.1")) << header;
  }
  // The same holds within a chromosome: type, count and separator run together.
  const testutil::InputContent content = readInput("0 2 A 0:1: L3:+a.1; B 1:1: C1:+a.1;");
  EXPECT_THAT(describeChromosomes(content.structures[0]), ElementsAre("L: +a.1"));
  EXPECT_THAT(describeChromosomes(content.structures[1]), ElementsAre("C: +a.1"));
}

TEST(ReaderTest, SeparatorsMayBeAnyCharacter) {
  const testutil::InputContent content =
      readInput("0 2 A 0 | 1 # L 1 x +a.1; B 1 1 1 2 C 1 C +a.1;");
  EXPECT_THAT(describeChromosomes(content.structures[0]), ElementsAre("L: +a.1"));
  EXPECT_THAT(describeChromosomes(content.structures[1]), ElementsAre("C: +a.1"));
}

TEST(ReaderTest, OnlyTypeCMakesACircularChromosome) {
  const testutil::InputContent content = readInput(
      "0 2 A 0 : 5 : C 1 : +a.1; c 1 : +b.1; L 1 : +c.1; x 1 : +d.1; 1 1 : +e.1;"
      " B 1 : 1 : C 5 : +a.1+b.1+c.1+d.1+e.1;");
  EXPECT_THAT(describeChromosomes(content.structures[0]),
              ElementsAre("C: +a.1", "L: +b.1", "L: +c.1", "L: +d.1", "L: +e.1"));
}

TEST(ReaderTest, GeneCountIsNotTrusted) {
  // The list decides, whatever the count says; a huge count must not
  // reserve memory for that many genes.
  const testutil::InputContent content =
      readInput("0 2 A 0 : 1 : L 7 : +a.1-b.1+c.1; B 1 : 1 : L 1 : +a.1+b.1+c.1;");
  EXPECT_THAT(describeChromosomes(content.structures[0]), ElementsAre("L: +a.1 -b.1 +c.1"));
  const testutil::InputContent huge =
      readInput("0 2 A 0 : 1 : L 2147483647 : +a.1; B 1 : 1 : L 0 : +a.1;");
  EXPECT_THAT(describeChromosomes(huge.structures[0]), ElementsAre("L: +a.1"));
  EXPECT_THAT(describeChromosomes(huge.structures[1]), ElementsAre("L: +a.1"));
}

TEST(ReaderTest, CopiesFollowFileOrderAndKeepRepeats) {
  const testutil::InputContent content =
      readInput("0 2 A 0 : 2 : L 3 : +b.2+a.1+a.1; C 2 : -a.3+b.1; B 1 : 1 : L 1 : +a.1+b.1;");
  const Structure& first = content.structures[0];
  EXPECT_THAT(describeChromosomes(first), ElementsAre("L: +b.2 +a.1 +a.1", "C: -a.3 +b.1"));
  EXPECT_EQ(describe(first.copies), "a:[1,1,3] b:[2,1]");
}

TEST(ReaderTest, EmptyChromosomesAreAccepted) {
  // A linear or circular chromosome whose list is only ";" has no genes.
  const testutil::InputContent content =
      readInput("0 2 A 0 : 3 : L 0 : ; C 0 : ; L 1 : +a.1; B 1 : 1 : L 1 : +a.1;");
  EXPECT_THAT(describeChromosomes(content.structures[0]), ElementsAre("L:", "C:", "L: +a.1"));
  EXPECT_EQ(describe(content.structures[0].copies), "a:[1]");
}

TEST(ReaderTest, StructureWithoutChromosomes) {
  const testutil::InputContent content = readInput("0 2 A 0 : 0 : B 1 : 0 :");
  ASSERT_EQ(content.structures.size(), 2u);
  EXPECT_TRUE(content.structures[0].chromosomes.empty());
  EXPECT_TRUE(content.structures[1].copies.empty());
}

TEST(ReaderTest, ThirdStructureIsReadToo) {
  const testutil::InputContent content =
      readInput("0 3 A 0 : 1 : L 1 : +a.1; B 1 : 1 : L 1 : +a.1; extra 7 : 1 : C 2 : +z.1-z.2;");
  ASSERT_EQ(content.structures.size(), 3u);
  EXPECT_EQ(content.structures[2].name, "extra");
  EXPECT_EQ(content.structures[2].id, 7);
  EXPECT_THAT(describeChromosomes(content.structures[2]), ElementsAre("C: +z.1 -z.2"));
}

TEST(ReaderTest, TextAfterTheLastStructureIsNotRead) {
  const testutil::InputContent content =
      readInput("0 2 A 0 : 1 : L 1 : +a.1; B 1 : 1 : L 1 : +a.1; anything [at] all\n");
  EXPECT_EQ(content.structures.size(), 2u);
}

TEST(ReaderTest, ParalogTableKeepsTheLastValueOfARepeatedName) {
  TokenCursor in("4 a 2 b 1 a 5 c -3 rest", "in.txt");
  EXPECT_EQ(readParalogTable(in), (ParalogTable{{"a", 5}, {"b", 1}, {"c", -3}}));
  // The stream is left right after the table.
  EXPECT_EQ(in.word().text, "rest");
}

TEST(ReaderTest, IdsAndIndicesAtTheirLimits) {
  const testutil::InputContent content =
      readInput("0 2 A 2147483647 : 1 : L 1 : +a.2147483647+a.0+a.007; B 0 : 1 : L 1 : +a.1;");
  EXPECT_EQ(content.structures[0].id, 2147483647);
  EXPECT_THAT(describeChromosomes(content.structures[0]),
              ElementsAre("L: +a.2147483647 +a.0 +a.7"));
}

TEST(SplitGeneListTest, CutsBeforeEverySignAndSemicolon) {
  EXPECT_THAT(splitGeneList("+a.1-b.12+a.2;"), ElementsAre("+a.1", "-b.12", "+a.2"));
  EXPECT_THAT(splitGeneList("+a.1-b.1+c.1;"), ElementsAre("+a.1", "-b.1", "+c.1"));
  // Without the closing ";" the last gene is not a token.
  EXPECT_THAT(splitGeneList("+a.1-b.1+c.1"), ElementsAre("+a.1", "-b.1"));
  // The first character never cuts.
  EXPECT_THAT(splitGeneList("-a.1;"), ElementsAre("-a.1"));
  EXPECT_THAT(splitGeneList("a.1;"), ElementsAre("a.1"));
  // A ";" inside the list begins a token of its own.
  EXPECT_THAT(splitGeneList("+a.1;+b.1;"), ElementsAre("+a.1", ";", "+b.1"));
  EXPECT_THAT(splitGeneList(";"), ElementsAre());
  EXPECT_THAT(splitGeneList(""), ElementsAre());
  EXPECT_THAT(splitGeneList("+"), ElementsAre());
}

TEST(ParseGeneTest, SignNameAndIndex) {
  const Gene forward = parseGene("+a.1");
  EXPECT_EQ(forward.name, "a");
  EXPECT_EQ(forward.index, 1);
  EXPECT_EQ(forward.sign, 1);
  const Gene reversed = parseGene("-x.10");
  EXPECT_EQ(reversed.name, "x");
  EXPECT_EQ(reversed.index, 10);
  EXPECT_EQ(reversed.sign, -1);
  // Leading zeros are digits like any other.
  EXPECT_EQ(parseGene("+x.007").index, 7);
  EXPECT_EQ(parseGene("+Long_Name{1}.42").name, "Long_Name{1}");
}

}  // namespace
}  // namespace paralog
