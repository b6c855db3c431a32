// Malformed input: every fault is an error that says where it is (file,
// line, the item at fault) instead of being accepted silently.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "genome/reader.h"
#include "genome/unshared_genes.h"
#include "lp/variables_storage.h"
#include "support/reader_test_support.h"

namespace paralog {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;
using testutil::readError;
using testutil::twoStructures;

TEST(ReaderErrorsTest, InputThatEndsEarly) {
  EXPECT_EQ(readError(""), "in.txt:1: paralog table: the file ends before the number of rows");
  EXPECT_EQ(readError("3\na 2\nb 1\n"),
            "in.txt:3: paralog table, row 3: the file ends before the gene name");
  EXPECT_EQ(readError("1\na\n"), "in.txt:2: paralog table, row 1: the file ends before the value");
  EXPECT_EQ(readError("0\n"),
            "in.txt:1: structure list: the file ends before the number of structures");
  EXPECT_EQ(readError("0 1 A"), "in.txt:1: structure 1 (\"A\"): the file ends before the id");
  EXPECT_EQ(readError("0 1 A 0"),
            "in.txt:1: structure 1 (\"A\"): the file ends before the separator after the id");
  EXPECT_EQ(readError("0 1 A 0 : 1"),
            "in.txt:1: structure 1 (\"A\"): the file ends before the separator after the number "
            "of chromosomes");
  EXPECT_EQ(readError("0 1\nA 0 : 1 :\nL 1 :\n\n"),
            "in.txt:3: structure 1 (\"A\"), chromosome 1: the file ends before the gene list");
}

TEST(ReaderErrorsTest, HugeCountsBeforeShortContent) {
  // Counts are never used to reserve room: each of these must fail cleanly
  // at the end of the input instead of allocating.
  EXPECT_EQ(readError("2147483647 a 1"),
            "in.txt:1: paralog table, row 2: the file ends before the gene name");
  EXPECT_EQ(readError("0 2147483647 A 0 : 1 : L 1 : +a.1;"),
            "in.txt:1: structure 2: the file ends before the structure's name");
  EXPECT_EQ(
      readError("0 1 A 0 : 2147483647 : L 1 : +a.1;"),
      "in.txt:1: structure 1 (\"A\"), chromosome 2: the file ends before the chromosome type");
}

TEST(ReaderErrorsTest, WordWhereAnIntegerIsExpected) {
  EXPECT_EQ(readError("x"), "in.txt:1: paralog table: expected the number of rows, found \"x\"");
  EXPECT_EQ(readError("1\na b\n"),
            "in.txt:2: paralog table, row 1: expected the value, found \"b\"");
  EXPECT_EQ(readError("0\nfirst 0 : 1 :\n"),
            "in.txt:2: structure list: expected the number of structures, found \"first\"");
  EXPECT_EQ(readError("0 1\nA x : 1 :"),
            "in.txt:2: structure 1 (\"A\"): expected the id, found \"x\"");
  EXPECT_EQ(readError("0 1\nA 0 : 1 :\nL many : +a.1;"),
            "in.txt:3: structure 1 (\"A\"), chromosome 1: expected the gene count, found \"many\"");
  // A sign alone is no number.
  EXPECT_EQ(readError("0 1\nA - : 1 :"),
            "in.txt:2: structure 1 (\"A\"): expected the id, found \"-\"");
}

TEST(ReaderErrorsTest, MissingSeparatorShiftsTheReadsAndIsCaught) {
  EXPECT_EQ(readError("0 1\nA 0 1 : L 1 : +a.1;"),
            "in.txt:2: structure 1 (\"A\"): expected the number of chromosomes, found \":\"");
}

TEST(ReaderErrorsTest, IntegersThatDoNotFit) {
  EXPECT_EQ(readError("0\n2147483648\n"),
            "in.txt:2: structure list: the number of structures \"2147483648\" does not fit a "
            "32-bit signed integer");
  EXPECT_EQ(readError("1 a -99999999999999999999"),
            "in.txt:1: paralog table, row 1: the value \"-99999999999999999999\" does not fit a "
            "32-bit signed integer");
}

TEST(ReaderErrorsTest, NegativeCounts) {
  EXPECT_EQ(readError("-1"),
            "in.txt:1: paralog table: the number of rows must not be negative, found -1");
  EXPECT_EQ(readError("0\n-2\n"),
            "in.txt:2: structure list: the number of structures must not be negative, found -2");
  EXPECT_EQ(readError("0 1\nA 0 : -1 :"),
            "in.txt:2: structure 1 (\"A\"): the number of chromosomes must not be negative, found "
            "-1");
  EXPECT_EQ(readError("0 1\nA 0 : 1 :\nL -1 : +a.1;"),
            "in.txt:3: structure 1 (\"A\"), chromosome 1: the gene count must not be negative, "
            "found -1");
}

TEST(ReaderErrorsTest, NegativeIdIsRefused) {
  // Its minus sign inside a variable name would read as a subtraction.
  EXPECT_EQ(readError("0 2\nA 0 : 1 : L 1 : +a.1;\nB -1 : 1 : L 1 : +a.1;"),
            "in.txt:3: structure 2 (\"B\"): the id must not be negative, found -1");
  EXPECT_EQ(readError("0 2 A -0 : 1 : L 1 : +a.1; B 1 : 1 : L 1 : +a.1;"), "no error");
}

TEST(ReaderErrorsTest, GeneListMustEndWithItsOnlySemicolon) {
  // Without the closing ";" the last gene would be dropped silently.
  EXPECT_EQ(readError("0 1\nA 0 : 1 :\nL 2 : +a.1-b.1\n"),
            "in.txt:3: structure 1 (\"A\"), chromosome 1: the gene list \"+a.1-b.1\" does not "
            "end with \";\"");
  EXPECT_EQ(readError("0 1\nA 0 : 1 :\nL 2 : +a.1;-b.1;\n"),
            "in.txt:3: structure 1 (\"A\"), chromosome 1: the gene list \"+a.1;-b.1;\" holds a "
            "\";\" before its end");
  EXPECT_EQ(readError("0 1\nA 0 : 1 :\nL 0 : x\n"),
            "in.txt:3: structure 1 (\"A\"), chromosome 1: the gene list \"x\" does not end with "
            "\";\"");
}

TEST(ReaderErrorsTest, MalformedGeneTokens) {
  const auto errorOfList = [](const std::string& list) {
    return readError("0 2\nA 0 : 1 :\nL 1 : " + list + "\nB 1 : 0 :\n");
  };
  const std::string where = "in.txt:3: structure 1 (\"A\"), chromosome 1: ";
  // The first token keeps its first character, so it must be the sign.
  EXPECT_EQ(errorOfList("a.1+b.1;"),
            where + "gene token \"a.1\" does not begin with \"+\" or \"-\"");
  EXPECT_EQ(errorOfList("+a1;"), where + "gene token \"+a1\" has no \".\" before its copy index");
  EXPECT_EQ(errorOfList("+a.1-b;"), where + "gene token \"-b\" has no \".\" before its copy index");
  EXPECT_EQ(errorOfList("+.1;"), where + "gene token \"+.1\" has an empty name");
  EXPECT_EQ(errorOfList("+a.x;"),
            where + "the copy index of gene token \"+a.x\" does not begin with a digit");
  EXPECT_EQ(errorOfList("+a.;"),
            where + "the copy index of gene token \"+a.\" does not begin with a digit");
  // "+a.-1;" is cut into "+a." and "-1".
  EXPECT_EQ(errorOfList("+a.-1;"),
            where + "the copy index of gene token \"+a.\" does not begin with a digit");
  EXPECT_EQ(errorOfList("+a.2147483648;"),
            where +
                "the copy index of gene token \"+a.2147483648\" does not fit a 32-bit signed "
                "integer");
  EXPECT_EQ(errorOfList("+a.2147483647;"), "no error");
  // Text after the index's digits would make two genes paralogs of one.
  const std::string digitsOnly =
      " after its digits; a copy index is digits only, so a gene name may not contain \".\" in "
      "this format";
  EXPECT_EQ(errorOfList("+AT1G01010.1.1;"),
            where + "the copy index of gene token \"+AT1G01010.1.1\" holds \".\"" + digitsOnly);
  EXPECT_EQ(errorOfList("+a.1-b.3y;"),
            where + "the copy index of gene token \"-b.3y\" holds \"y\"" + digitsOnly);
}

TEST(ReaderErrorsTest, ErrorsNameTheLineOfTheFaultyItem) {
  const std::string text =
      "2\n"
      "a 1\n"
      "b 1\n"
      "2\n"
      "A 0 : 2 :\n"
      "L 2 : +a.1+b.1;\n"
      "C 1 : +a.2;\n"
      "B 1 : 1 :\n"
      "\n"
      "L 3 : +a.1+b.1+a:2.2;\n";
  EXPECT_EQ(readError(text),
            "in.txt:10: structure 2 (\"B\"), chromosome 1: gene name \"a:2\" in token \"+a:2.2\" "
            "holds \":\", a character not allowed in names of the LP file");
}

TEST(ReaderErrorsTest, GeneNameAlphabet) {
  // Letters, digits and these characters only; anything else would corrupt
  // the LP file or be refused by solvers.
  const std::string punctuation = "!\"#$%&()/,?@_`'{}|~";
  for (int code = 0; code < 256; ++code) {
    const char c = static_cast<char>(code);
    // White space ends a word; signs and ";" cut tokens; "." ends the name.
    if (isWhiteSpace(c) || c == '+' || c == '-' || c == ';' || c == '.') continue;
    const bool alphanumeric =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    const bool allowed = alphanumeric || punctuation.find(c) != std::string::npos;
    EXPECT_EQ(isGeneNameCharacter(c), allowed) << "byte " << code;
    const std::string name = std::string("x") + c + "y";
    const std::string error = readError(twoStructures("+" + name + ".1;", "+a.1;"));
    if (allowed) {
      EXPECT_EQ(error, "no error") << "byte " << code;
    } else {
      EXPECT_THAT(error, HasSubstr("a character not allowed in names of the LP file"))
          << "byte " << code;
      EXPECT_THAT(error, StartsWith("in.txt:4: structure 1 (\"A\"), chromosome 1: gene name "))
          << "byte " << code;
    }
  }
  // Bytes outside printable ASCII are shown escaped, so the message stays readable.
  EXPECT_EQ(
      readError(twoStructures("+g\xC3\xA9ne.1;", "+a.1;")),
      "in.txt:4: structure 1 (\"A\"), chromosome 1: gene name \"g\\xC3\\xA9ne\" in token "
      "\"+g\\xC3\\xA9ne.1\" holds \"\\xC3\", a character not allowed in names of the LP file");
}

// An input whose structures have the given ids and whose first structure
// holds one copy of `name` with copy index `index`.
std::string longGeneInput(const std::string& name, const std::string& index, int firstId,
                          int secondId) {
  return "0 2\nA " + std::to_string(firstId) + " : 1 :\nL 1 : +" + name + "." + index + ";\nB " +
         std::to_string(secondId) + " : 1 :\nL 1 : +" + name + ".1;\n";
}

TEST(ReaderErrorsTest, VariableNamesStayWithinTheLimitOfLpReaders) {
  // The longest names pair two ends of the longest copy: "t_" k "_" key key,
  // with key = name "." index end. With ids 10 and 0, a 122-character name
  // with copy index 1 gives exactly 255 characters.
  const std::string name122(122, 'n');
  VariablesStorage storage;
  EXPECT_EQ(storage.tVariable(10, Extremity{name122, 1, 't'}, Extremity{name122, 1, 'h'}).size(),
            255u);
  EXPECT_EQ(storage.uVariable(10, Extremity{name122, 1, 'h'}, Extremity{name122, 1, 'h'}).size(),
            255u);
  EXPECT_EQ(readError(longGeneInput(name122, "1", 10, 0)), "no error");

  // One more character is refused, naming the gene.
  const std::string name123(123, 'n');
  EXPECT_EQ(readError(longGeneInput(name123, "1", 10, 0)),
            "in.txt:3: structure 1 (\"A\"), chromosome 1: gene \"" + name123 +
                "\" with copy index 1 gives variable names of 257 characters; LP readers accept "
                "at most 255");

  // The limit depends on the ids in the file: the same gene fits with
  // one-digit ids and not with a three-digit one, in either structure.
  EXPECT_EQ(readError(longGeneInput(name122, "1", 0, 1)), "no error");
  EXPECT_THAT(readError(longGeneInput(name122, "1", 0, 100)),
              HasSubstr("gives variable names of 256 characters"));
  EXPECT_THAT(readError(longGeneInput(name122, "1", 100, 0)),
              StartsWith("in.txt:3: structure 1 (\"A\"), chromosome 1: gene \"nnn"));

  // Long copy indices count as well.
  EXPECT_EQ(readError(longGeneInput(std::string(113, 'n'), "1234567890", 10, 0)), "no error");
  EXPECT_THAT(readError(longGeneInput(std::string(114, 'n'), "1234567890", 10, 0)),
              HasSubstr("with copy index 1234567890 gives variable names of 257 characters"));
}

TEST(ReaderErrorsTest, LongGeneInTheSecondStructureIsNamedThere) {
  const std::string name(130, 'q');
  const std::string text =
      "0 2\nA 0 : 1 :\nL 1 : +a.1;\nB 1 : 2 :\nL 1 : +a.1;\nC 2 : +" + name + ".1-a.2;\n";
  EXPECT_THAT(readError(text),
              StartsWith("in.txt:6: structure 2 (\"B\"), chromosome 2: gene \"" + name + "\""));
}

TEST(RequireSameGeneNamesTest, NamesTheGeneThatOneStructureLacks) {
  const testutil::InputContent same =
      testutil::readInput("0 2 A 0 : 1 : L 1 : +a.1+b.1+a.2; B 1 : 2 : C 1 : -b.1; L 1 : +a.7;");
  EXPECT_NO_THROW(requireSameGeneNames(same.structures[0], same.structures[1], "in.txt"));

  const testutil::InputContent extraInFirst = testutil::readInput(
      "0 2 first 0 : 1 : L 1 : +a.1+d.1+c.1; second 1 : 1 : L 1 : +a.1+c.1+e.1;");
  try {
    requireSameGeneNames(extraInFirst.structures[0], extraInFirst.structures[1], "in.txt");
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(),
                 "in.txt: 2 genes occur in only one of the compared genomes: in \"first\" only: "
                 "\"d\"; in \"second\" only: \"e\"; both genomes must hold the same gene "
                 "names (--drop-unshared removes such genes from both)");
  }
  try {
    requireSameGeneNames(extraInFirst.structures[1], extraInFirst.structures[0], "in.txt");
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_THAT(error.what(), HasSubstr("in \"second\" only: \"e\"; in \"first\" only: \"d\";"));
  }

  const testutil::InputContent emptySecond =
      testutil::readInput("0 2 first 0 : 1 : L 1 : +z.1; second 1 : 0 :");
  EXPECT_THROW(requireSameGeneNames(emptySecond.structures[0], emptySecond.structures[1], "in.txt"),
               std::runtime_error);
  // A name that is a prefix of another is still a different name.
  const testutil::InputContent prefix =
      testutil::readInput("0 2 A 0 : 1 : L 1 : +ab.1; B 1 : 1 : L 1 : +a.1;");
  EXPECT_THROW(requireSameGeneNames(prefix.structures[0], prefix.structures[1], "in.txt"),
               std::runtime_error);
}

}  // namespace
}  // namespace paralog
