// Genomes from GFF3 annotations with the families of an orthology table
// (--format gff): the hand-written files of tests/data/annotations in every
// table layout give the expected genomes, which read back from the UniMoG
// of --write-genomes give the same LP file; malformed inputs end in one
// error line naming the file and line, and nothing is written.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/failing_run.h"
#include "support/run_program.h"

namespace paralog {
namespace {

using ::testing::HasSubstr;
using testutil::errorOf;
using testutil::ProgramRun;
using testutil::runExecutable;
using testutil::TempDirectory;

const std::string kData = std::string(PARALOG_SOURCE_DIR) + "/tests/data/annotations/";

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> gffArgs(const std::string& table) {
  return {"--format", "gff", "-i", kData + "alpha.gff3", "-i", kData + "beta.gff3",
          "--orthology", kData + table};
}

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// The genomes of the two annotation files, the families named as each
// table names them: genes in order of their start, the circular region
// and the plasmid as two chromosomes, a lone gene named after its ID.
struct Layout {
  const char* table;
  std::string expected;
};

const Layout kLayouts[] = {
    {"Orthogroups.tsv",
     ">alpha\nOG0000000 OG0000001 -OG0000002 OG0000001 )\n-gene_A5 |\n"
     ">beta\nOG0000000 -OG0000001 B3_gene B4_gene |\n"},
    {"families.proteinortho.tsv",
     ">alpha\nPO1 PO2 -PO3 PO2 )\n-gene_A5 |\n>beta\nPO1 -PO2 B3_gene B4_gene |\n"},
    {"gene_presence_absence.csv",
     ">alpha\ndnaA group_1 -dnaB group_1 )\n-gene_A5 |\n>beta\ndnaA -group_1 B3_gene B4_gene |\n"},
    // "group-1" is no valid name; the family "gene_A5" takes the name first,
    // so the lone gene gene-A5 gets the next free one.
    {"panaroo_gene_presence_absence.csv",
     ">alpha\ndnaA group_1 -gene_A5 group_1 )\n-gene_A5_2 |\n>beta\ndnaA -group_1 B3_gene B4_gene |\n"},
};

TEST(AnnotationInput, EveryLayoutGivesTheGenomesAndTheirUnimogReadsBackTheSame) {
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.table);
    TempDirectory directory;
    const ProgramRun written = runExecutable(directory.path(), with(gffArgs(layout.table), {"--write-genomes", "g.txt"}));
    ASSERT_EQ(written.exitStatus, 0) << written.err;
    EXPECT_EQ(directory.read("g.txt"), layout.expected);

    const ProgramRun listed = runExecutable(directory.path(), with(gffArgs(layout.table), {"--list-genomes"}));
    EXPECT_EQ(listed.out, "1\talpha\tgff\t1\t1\t5\t4\n2\tbeta\tgff\t1\t0\t4\t4\n");

    const std::vector<std::string> pair = {"--pair", "beta,alpha", "--drop-unshared", "-o", "-"};
    const ProgramRun fromGff = runExecutable(directory.path(), with(gffArgs(layout.table), pair));
    const ProgramRun fromUnimog = runExecutable(directory.path(), with({"-i", "g.txt"}, pair));
    ASSERT_EQ(fromGff.exitStatus, 0) << fromGff.err;
    EXPECT_FALSE(fromGff.out.empty());
    EXPECT_EQ(fromGff.out, fromUnimog.out);
  }
}

// Real tools' quirks: a gene's CDS before it, a line of blanks and tabs,
// sequences after a ">" line without "##FASTA", one RefSeq protein on two
// genes of a genome (both its copies) and in the other genome (the column
// tells); OrthoFinder's hierarchical orthogroups naming a protein by its
// whole FASTA header; Panaroo's "_stop" mark and refound gene (no feature).
TEST(AnnotationInput, ToolQuirksGiveTheGenomes) {
  const std::string beta = "c\tx\tCDS\t50\t800\t.\t+\t0\tID=BET_001;Parent=B1;protein_id=WP_001.1\n"
                           "c\tx\tgene\t50\t800\t.\t+\t.\tID=B1\nc\tx\tgene\t900\t1500\t.\t-\t.\tID=B2\n"
                           " \t\nc\tx\tCDS\t900\t1500\t.\t-\t0\tID=cds2;Parent=B2;protein_id=WP_001.1\n>c\nACGT\n";
  const std::string alpha = "gene_A2 -gene_A3 gene_A4 )\n-gene_A5 |\n>beta\n";
  const Layout quirks[] = {
      {"HOG\tOG\tGene Tree Parent Clade\talpha\tbeta\nN0.HOG1\tOG1\tn1\tALP_001 replication initiator\tWP_001.1\n",
       ">alpha\nN0_HOG1 " + alpha + "N0_HOG1 -N0_HOG1 |\n"},
      // Columns not named after the files: the genes found in one file only tell.
      {"Orthogroup\tA.faa\tB.faa\nOG1\tWP_001.1\tBET_001\nOG2\tALP_002\t\n",
       ">alpha\nOG1 OG2 " + alpha.substr(8) + "OG1 -B2 |\n"},
      {"Gene,Non-unique Gene name,Annotation,alpha,beta\ndnaA,,x,ALP_001_stop;0_refound_7,BET_001\n",
       ">alpha\ndnaA " + alpha + "dnaA -B2 |\n"},
  };
  for (const Layout& quirk : quirks) {
    TempDirectory directory;
    directory.write("beta.gff3", beta);
    directory.write("t.csv", quirk.table);
    const ProgramRun run = runExecutable(directory.path(), {"--format", "gff", "-i", kData + "alpha.gff3", "-i",
                                                            "beta.gff3", "--orthology", "t.csv", "--write-genomes", "g"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(directory.read("g"), quirk.expected);
  }
}

TEST(AnnotationInput, CircularOptionClosesEveryChromosome) {
  TempDirectory directory;
  const ProgramRun run = runExecutable(
      directory.path(), with(gffArgs("Orthogroups.tsv"), {"--circular", "--write-genomes", "g.txt"}));
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(directory.read("g.txt"),
            ">alpha\nOG0000000 OG0000001 -OG0000002 OG0000001 )\n-gene_A5 )\n"
            ">beta\nOG0000000 -OG0000001 B3_gene B4_gene )\n");
}

// A malformed file of the run: its name, content and the error's place.
struct BadInput {
  const char* what;
  const char* file;  ///< replaces the good file of that name, or is the table
  std::string content;
  const char* where;  ///< "<file>:<line>: " and the start of the message
};

const BadInput kBadInputs[] = {
    {"a table gene no annotation has", "t.tsv", "Orthogroup\talpha\tbeta\nOG1\tALP_001\tBET_001\nOG2\tWP_999.1\t\n",
     "t.tsv:3: the gene \"WP_999.1\" is in no annotation file"},
    {"a gene in two families (by two of its names)", "t.tsv",
     "Orthogroup\talpha\tbeta\nOG1\tALP_001\tBET_001\nOG2\tWP_001.1\t\n",
     "t.tsv:3: the gene \"WP_001.1\" (" },
    {"a table of another layout", "t.tsv", "id,name\n1,dnaA\n", "t.tsv:1: not an orthology table of proteinortho"},
    {"an empty table", "t.tsv", "", "t.tsv:1: the orthology table is empty"},
    {"a Roary row with more columns than its header", "t.tsv",
     "Gene,Non-unique Gene name,Annotation,alpha\ndnaA,,x,ALP_001,BET_001\n", "t.tsv:2: the line has 5 columns, the header 4"},
    {"a CSV field whose quote is not closed", "t.tsv", "Gene,Non-unique Gene name,Annotation,alpha\n\"dnaA,,x,ALP_001\n",
     "t.tsv:2: a field's opening double quote is not closed on its line"},
    {"a GFF3 file without genes", "beta.gff3", "##gff-version 3\nctg1\tx\tregion\t1\t100\t.\t+\t.\tID=r\n",
     "beta.gff3:2: the file ends without a \"gene\" feature"},
    {"a feature line of eight columns", "beta.gff3", "##gff-version 3\nctg1\tx\tgene\t1\t100\t.\t+\tID=g\n",
     "beta.gff3:2: a feature line has 9 tab-separated columns, this one 8"},
    {"a start that is no number", "beta.gff3", "ctg1\tx\tgene\tone\t100\t.\t+\t.\tID=g\n",
     "beta.gff3:1: the start \"one\" is not a positive whole number"},
    {"an identifier of genes in two files", "beta.gff3", "ctg1\tx\tgene\t1\t100\t.\t+\t.\tID=g;locus_tag=ALP_001\n",
     "t.tsv:2: the gene \"ALP_001\" names two genes, at "},
};

TEST(AnnotationInput, MalformedInputEndsInOneErrorLineNamingFileAndLine) {
  for (const BadInput& bad : kBadInputs) {
    SCOPED_TRACE(bad.what);
    TempDirectory directory;
    directory.write("alpha.gff3", fileText(kData + "alpha.gff3"));
    directory.write("beta.gff3", fileText(kData + "beta.gff3"));
    // Columns naming no genome: a gene is looked up in every file.
    directory.write("t.tsv", "Orthogroup\tone\ttwo\nOG1\tALP_001\tBET_001\n");
    directory.write(bad.file, bad.content);
    const ProgramRun run = runExecutable(
        directory.path(), {"--format", "gff", "-i", "alpha.gff3", "-i", "beta.gff3", "--orthology", "t.tsv",
                           "--write-genomes", "g.txt"});
    EXPECT_THAT(errorOf(run, 1), HasSubstr("/" + std::string(bad.where)));
    EXPECT_FALSE(directory.exists("g.txt"));
  }
}

TEST(AnnotationInput, CommandLineRefusesOptionsOfTheOtherFormats) {
  TempDirectory directory;
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"-i", "a", "-i", "b", "-o", "x.lp"}, "the option '--input' is given 2 times; only '--format gff' reads several files"},
      {{"-i", "a", "--orthology", "t", "-o", "x.lp"}, "the option '--orthology' needs '--format gff'"},
      {{"--format", "gff", "-i", "a", "-i", "b", "--list-genomes"}, "the option '--format gff' needs '--orthology' (the gene families)"},
  };
  for (const auto& each : cases) {
    EXPECT_EQ(errorOf(runExecutable(directory.path(), each.args), 2), each.message);
  }
}

}  // namespace
}  // namespace paralog
