// Genomes in UniMoG and GRIMM files: the same genomes in any format give
// the same LP file, --pair chooses the genomes and --drop-unshared removes
// genes of one genome only.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "genome/unshared_genes.h"
#include "support/failing_run.h"
#include "support/lp_text.h"
#include "support/quiet_stdout.h"
#include "support/run_program.h"

namespace paralog {
namespace {

using ::testing::HasSubstr;
using testutil::errorOf;
using testutil::FailingRun;
using testutil::kFullRunOutput;
using testutil::ProgramRun;
using testutil::runExecutable;
using testutil::TempDirectory;

// One pair of genomes written in each format; `native` is empty where
// the tool's own format cannot hold the names.
struct SameGenomes {
  const char* what;
  std::string native;
  std::string unimog;
  std::string grimm;
};

std::string lpOf(const std::string& text, const InputChoices& choices = {}) {
  const testutil::QuietStdout quiet;
  return lpTextFromInput(text, "in.txt", choices);
}

TEST(InputFormatsTest, SameGenomesInEveryFormatGiveTheSameLpFile) {
  const std::vector<SameGenomes> cases = {
      {"linear, paralogs", "0 2 A 1 : 1 : L 4 : +a.1-b.1+a.2+c.1; B 2 : 1 : L 3 : -c.1+a.1+b.1;",
       ">A\na -b a c |\n>B\n-c a b |\n", ">A\na -b a c $\n>B\n-c a b $\n"},
      {"circular, several chromosomes",
       "0 2 X 1 : 2 : C 3 : +a.1-a.2+b.1; L 1 : +c.1; Y 2 : 2 : L 2 : +c.1-b.1; C 2 : +a.1+a.2;",
       "# x\n>X\na -a\n b )\nc|\n>Y\nc -b |\na a )\n", ">X\na -a b @ c $\n# y\n>Y\nc -b $ a a @\n"},
      {"paralogs across chromosomes",
       "0 2 P 1 : 2 : L 2 : +g.1+g.2; C 2 : -g.3+h.1; Q 2 : 1 : L 4 : +h.1-g.1-g.2+g.3;",
       ">P\ng g |\n-g h )\n>Q\nh -g -g g |\n", ">P\ng g $\n-g h @\n>Q\nh -g -g g $\n"},
      {"escaped names", "",
       ">A\ntRNA-Leu -AT1G01010.1 x~y tRNA-Leu |\n>B\nx~y AT1G01010.1 )\n-tRNA-Leu tRNA-Leu |\n",
       ">A\ntRNA-Leu -AT1G01010.1 x~y tRNA-Leu $\n>B\nx~y AT1G01010.1 @\n-tRNA-Leu tRNA-Leu $\n"},
  };
  for (const SameGenomes& genomes : cases) {
    const std::string lp = lpOf(genomes.unimog);
    EXPECT_THAT(lp, HasSubstr("z_")) << genomes.what;
    EXPECT_EQ(lpOf(genomes.grimm), lp) << genomes.what;
    if (!genomes.native.empty()) {
      EXPECT_EQ(lpOf(genomes.native), lp) << genomes.what;
    }
  }
  EXPECT_THAT(lpOf(cases.back().unimog), HasSubstr("z_AT1G01010~2E1.1.1"));

  // The bundled example, run by the program, in all three formats.
  TempDirectory directory;
  for (const char* format : {"txt", "unimog", "grimm"}) {
    const std::string input = testutil::sourcePath("examples/two-genomes.") + format;
    const ProgramRun run =
        runExecutable(directory.path(), {"-i", input, "-o", std::string("out.") + format});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, kFullRunOutput);
    EXPECT_EQ(run.err, "");
  }
  EXPECT_EQ(directory.read("out.unimog"), directory.read("out.txt"));
  EXPECT_EQ(directory.read("out.grimm"), directory.read("out.txt"));
}

TEST(InputFormatsTest, PairChoosesTwoGenomesByNameOrNumber) {
  // The same three genomes; the ids are the positions in the file.
  const std::string unimog = ">A\na -b c |\n>B\nb a c )\n>C\nc -a b |\n";
  const std::string nativeCA = "0 3 A 1 : 1 : L 3 : +a.1-b.1+c.1; B 2 : 1 : C 3 : +b.1+a.1+c.1; "
                               "C 3 : 1 : L 3 : +c.1-a.1+b.1;";
  FailingRun setup(unimog);
  for (const char* pair : {"C,A", "3,1", "C,1"}) {
    const ProgramRun run = setup.run({"-i", "in.txt", "-o", "out.lp", "--pair", pair});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "") << pair;
    EXPECT_EQ(setup.directory.read("out.lp"), lpOf(nativeCA, {std::nullopt, PairChoice{"3", "1"}}))
        << pair;
  }
  setup.directory.write("out.lp", testutil::kOldOutput);

  const std::string path = setup.directory.file("in.txt");
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"1,4", path + ": --pair \"1,4\": there is no genome 4; the file holds 3 genomes, counted "
                     "from 1"},
      {"0,1", path + ": --pair \"0,1\": there is no genome 0; the file holds 3 genomes, counted "
                     "from 1"},
      {"A,1", path + ": --pair \"A,1\": both name genome 1 (\"A\"); two different genomes are "
                     "compared"},
      {"B,D", path + ": --pair \"B,D\": no genome is named \"D\""},
  };
  for (const auto& [pair, message] : refused) {
    EXPECT_EQ(errorOf(setup.run({"-i", "in.txt", "-o", "out.lp", "--pair", pair}), 1), message);
    setup.expectUntouched();
  }
  for (const char* pair : {"1", "1,2,3", ",2", "--pair="}) {
    EXPECT_THAT(errorOf(setup.run({"-i", "in.txt", "-o", "out.lp", "--pair", pair}), 2),
                HasSubstr("'--pair'"))
        << pair;
  }
  EXPECT_EQ(errorOf(setup.run({"-i", "in.txt", "-o", "out.lp", "--format", "fasta"}), 2),
            "the argument ('fasta') for option '--format' is invalid; use native, unimog, grimm or gff");
  // Forced to GRIMM, the UniMoG ends are gene names and the ends are missing.
  EXPECT_THAT(errorOf(setup.run({"-i", "in.txt", "-o", "out.lp", "--format", "grimm"}), 1),
              HasSubstr("is not closed by \"$\" (linear) or \"@\" (circular)"));
  setup.expectUntouched();

  // Native structures too; the chosen two must have different ids.
  const FailingRun native("0 3 A 1 : 1 : L 1 : +a.1; B 2 : 1 : L 1 : -a.1; C 1 : 1 : C 1 : +a.1;");
  EXPECT_EQ(native.run({"-i", "in.txt", "-o", "out.lp", "--pair", "B,C"}).exitStatus, 0);
  EXPECT_THAT(errorOf(native.run({"-i", "in.txt", "-o", "out.lp", "--pair", "A,C"}), 1),
              HasSubstr("both have id 1"));

  // A name shared by two genomes must be given by number.
  EXPECT_THAT(errorOf(FailingRun(">A\na |\n>A\na |\n").run({"-i", "in.txt", "-o", "out.lp",
                                                             "--pair", "A,2"}),
                      1),
              HasSubstr("genomes 1 and 2 are both named \"A\"; give the genome's number instead"));
}

TEST(InputFormatsTest, DropUnsharedRemovesGenesOfOneGenomeOnly) {
  // x and y are in A only, z in B only; B's second chromosome holds z alone.
  FailingRun setup(">A\na x -b y |\nx )\n>B\nb -a |\nz z )\n");
  EXPECT_EQ(errorOf(setup.run({"-i", "in.txt", "-o", "out.lp"}), 1),
            setup.directory.file("in.txt") +
                ": 3 genes occur in only one of the compared genomes: in \"A\" only: \"x\", \"y\"; "
                "in \"B\" only: \"z\"; both genomes must hold the same gene names "
                "(--drop-unshared removes such genes from both)");
  setup.expectUntouched();

  const ProgramRun run = setup.run({"-i", "in.txt", "-o", "out.lp", "--drop-unshared"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, kFullRunOutput);
  EXPECT_EQ(run.err,
            "note: --drop-unshared removed 5 gene copies (3 from genome 1 (\"A\"), 2 from genome 2 "
            "(\"B\"))\n");
  // Chromosomes left empty are gone; the others keep their kind.
  EXPECT_EQ(setup.directory.read("out.lp"), lpOf(">A\na -b |\n>B\nb -a |\n"));

  // Nothing shared: nothing to compare.
  EXPECT_THAT(errorOf(FailingRun(">A\na |\n>B\nb |\n").run({"-i", "in.txt", "-o", "out.lp",
                                                             "--drop-unshared"}),
                      1),
              HasSubstr("genome 1 (\"A\") and genome 2 (\"B\") share no gene"));

  // The refusal lists ten genes, then how many more; names as written.
  std::string many = ">A\nshared Leu-tRNA ";
  for (char c = 'a'; c <= 'k'; ++c) many += std::string(1, c) + " ";
  many += "|\n>B\nshared |\n";
  try {
    lpOf(many);
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_THAT(error.what(), HasSubstr(": 12 genes occur in only one of the compared genomes: "
                                        "in \"A\" only: \"Leu-tRNA\", \"a\", "));
    EXPECT_THAT(error.what(), HasSubstr(", \"i\" and 2 more; "));
  }
}

}  // namespace
}  // namespace paralog
