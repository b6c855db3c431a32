// Reading UniMoG and GRIMM files: what the genomes become, how the format
// is told from the content, and one clear error line for each malformed file.

#include "genome/marked_genome_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "run_setup/program_input.h"
#include "genome/grimm_reader.h"
#include "genome/input_format.h"
#include "genome/unimog_reader.h"
#include "support/reader_test_support.h"

namespace paralog {
namespace {

using ::testing::ElementsAre;
using testutil::describe;
using testutil::describeChromosomes;

std::string errorOf(const std::string& text, const ChromosomeEndMarkers& ends) {
  try {
    const bool unimog = ends.formatLabel == kUnimogEnds.formatLabel;
    readGenomes(text, "in.txt", unimog ? InputFormat::kUnimog : InputFormat::kGrimm);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "no error";
}

TEST(MarkedGenomeReaderTest, NumbersCopiesInOrderAndEscapesNames) {
  // Comments, blank lines, a chromosome over two lines, ends glued to a gene.
  const std::vector<Structure> genomes =
      readUnimog(
          "# two genomes\n\n>  first genome \na -b tRNA-Leu\n  a a|  # tail\nb)\n"
          ">second\n+a b -a # not -x\n -a tRNA-Leu |\n",
          "in.txt")
          .structures;
  ASSERT_EQ(genomes.size(), 2u);
  EXPECT_EQ(genomes[0].name, "first genome");
  EXPECT_EQ(genomes[0].id, 1);
  EXPECT_EQ(genomes[1].id, 2);
  EXPECT_TRUE(genomes[0].escapedNames);
  EXPECT_THAT(describeChromosomes(genomes[0]),
              ElementsAre("L: +a.1 -b.1 +tRNA~2DLeu.1 +a.2 +a.3", "C: +b.2"));
  EXPECT_EQ(describe(genomes[0].copies), "a:[1,2,3] b:[1,2] tRNA~2DLeu:[1]");
  EXPECT_THAT(describeChromosomes(genomes[1]), ElementsAre("L: +a.1 +b.1 -a.2 -a.3 +tRNA~2DLeu.1"));

  // GRIMM differs only in its ends; "|" is then part of a name.
  const std::vector<Structure> grimm =
      readGrimm(">A\n1 -2 x| $ 3 @\n>B\n-3 2 $ 1 x| @\n", "in.txt").structures;
  EXPECT_THAT(describeChromosomes(grimm[0]), ElementsAre("L: +1.1 -2.1 +x|.1", "C: +3.1"));
}

TEST(MarkedGenomeReaderTest, ToldApartByContentUnlessForced) {
  EXPECT_EQ(detectInputFormat("2\na 1\n"), InputFormat::kNative);
  EXPECT_EQ(detectInputFormat(""), InputFormat::kNative);
  EXPECT_EQ(detectInputFormat("# c\n>A\na b |\n>B\nb a )"), InputFormat::kUnimog);
  EXPECT_EQ(detectInputFormat("\n  >A\n# a |\n1 -2 $\n>B\n"), InputFormat::kGrimm);
  EXPECT_EQ(detectInputFormat(">A\na b c@\n"), InputFormat::kGrimm);
  // No end at all: read as UniMoG, whose reader says what is missing.
  EXPECT_EQ(detectInputFormat(">A\na b\n"), InputFormat::kUnimog);
  // A gene before the first header still goes to the reader that names it.
  EXPECT_EQ(detectInputFormat("a b $\n>A\na $\n"), InputFormat::kGrimm);
  EXPECT_EQ(parseInputFormat("grimm"), InputFormat::kGrimm);
  EXPECT_EQ(parseInputFormat("UniMoG"), std::nullopt);
}

TEST(MarkedGenomeReaderTest, MalformedFilesGiveOneClearError) {
  const std::vector<std::pair<std::string, std::string>> unimog = {
      {">A\na b\n>B\na b |\n",
       "in.txt:2: genome 1 (\"A\"), chromosome 1: the chromosome begun on line 2 is not closed by "
       "\"|\" (linear) or \")\" (circular) before the next genome"},
      {">A\na |\n>B\n|a\nb\n",
       "in.txt:5: genome 2 (\"B\"), chromosome 1: the chromosome begun on line 4 is not closed by "
       "\"|\" (linear) or \")\" (circular) before the end of the file"},
      {"a b |\n>A\na |\n",
       "in.txt:1: gene \"a\" before the first genome header (a line \">name\")"},
      {"\n| >A\n", "in.txt:2: chromosome end \"|\" before the first genome header (a line \">name\")"},
      {">A\n>B\na |\n",
       "in.txt:1: genome 1 (\"A\") holds no chromosome; each chromosome is a list of genes closed "
       "by \"|\" (linear) or \")\" (circular)"},
      {">A\na |\n>B\n", "in.txt:3: genome 2 (\"B\") holds no chromosome; each chromosome is a list "
                        "of genes closed by \"|\" (linear) or \")\" (circular)"},
      {">A\na - b |\n",
       "in.txt:2: genome 1 (\"A\"), chromosome 1: a lone \"-\" without a gene name"},
      {">A\na |\n+)\n", "in.txt:3: genome 1 (\"A\"), chromosome 2: a lone \"+\" without a gene name"},
      {">A\na | )\n",
       "in.txt:2: genome 1 (\"A\"), chromosome 2: chromosome end \")\" with no gene before it"},
      {"# nothing\n\n", "in.txt:1: no genome found; a UniMoG file starts each genome with a line "
                        "\">name\""},
  };
  for (const auto& [text, message] : unimog) EXPECT_EQ(errorOf(text, kUnimogEnds), message) << text;

  EXPECT_EQ(errorOf(">A\n1 2 |\n", kGrimmEnds),
            "in.txt:2: genome 1 (\"A\"), chromosome 1: the chromosome begun on line 2 is not closed "
            "by \"$\" (linear) or \"@\" (circular) before the end of the file");

  // The length limit counts the escaped name: 60 dots become 180 characters.
  std::string escaped;
  for (int i = 0; i < 60; ++i) escaped += "~2E";
  EXPECT_EQ(errorOf(">A\na |\n>B\na\n" + std::string(60, '.') + " |\n", kUnimogEnds),
            "in.txt:5: genome 2 (\"B\"), chromosome 1: gene \"" + escaped +
                "\" with copy index 1 gives variable names of 370 characters; LP readers "
                "accept at most 255");
}

}  // namespace
}  // namespace paralog
