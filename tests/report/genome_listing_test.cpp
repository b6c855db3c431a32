// --list-genomes as a user runs it: the listing alone on standard output for
// every bundled example and for names that need care, the reader's error
// line for a broken file, and a usage error for options it does not take.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/failing_run.h"
#include "support/run_program.h"

namespace paralog {
namespace {

using testutil::runExecutable;

TEST(GenomeListingTest, ListsEveryGenomeOfTheBundledExamples) {
  const struct {
    const char* file;
    std::string listing;
  } cases[] = {
      {"four-genomes.txt",
       "1\tstrainA\tnative\t1\t0\t4\t3\n2\tstrainB\tnative\t1\t0\t3\t3\n"
       "3\tstrainC\tnative\t1\t1\t3\t3\n4\tstrainD\tnative\t1\t0\t3\t3\n"},
      {"worked-example.txt", "1\tfirst\tnative\t1\t0\t4\t3\n2\tsecond\tnative\t1\t1\t4\t3\n"},
      {"two-genomes.txt", "1\tstrainA\tnative\t2\t1\t15\t13\n2\tstrainB\tnative\t2\t1\t15\t13\n"},
      {"two-genomes.unimog", "1\tstrainA\tunimog\t2\t1\t15\t13\n2\tstrainB\tunimog\t2\t1\t15\t13\n"},
      {"two-genomes.grimm", "1\tstrainA\tgrimm\t2\t1\t15\t13\n2\tstrainB\tgrimm\t2\t1\t15\t13\n"},
  };
  testutil::TempDirectory directory;
  for (const auto& c : cases) {
    const testutil::ProgramRun run =
        runExecutable(directory.path(), {"--list-genomes", "-i", testutil::sourcePath("examples/") + c.file});
    EXPECT_EQ(run.exitStatus, 0) << c.file << ": " << run.err;
    EXPECT_EQ(run.out, c.listing) << c.file;
    EXPECT_EQ(run.err, "") << c.file;
  }
  EXPECT_TRUE(directory.entries().empty());
}

TEST(GenomeListingTest, CountsCopiesOnceAndKeepsNamesOnTheirLine) {
  testutil::TempDirectory directory;
  // A copy written twice, an empty circular chromosome, a single genome
  // (a listing needs no pair), and a UniMoG name holding a tab.
  directory.write("native.txt", "0 1 solo 7 : 3 : L 3 : +a.1+b.1+a.1; C 0 : ; C 1 : -a.2;");
  directory.write("tab.unimog", ">strain\tA  \na b )\n>B\nb a |\n");
  const testutil::ProgramRun native = runExecutable(directory.path(), {"--list-genomes", "-i", "native.txt"});
  EXPECT_EQ(native.out, "1\tsolo\tnative\t1\t2\t3\t2\n");
  const testutil::ProgramRun unimog =
      runExecutable(directory.path(), {"--list-genomes", "--format", "unimog", "-i", "tab.unimog"});
  EXPECT_EQ(unimog.out, "1\tstrain\\x09A\tunimog\t0\t1\t2\t2\n2\tB\tunimog\t1\t0\t2\t2\n");
}

TEST(GenomeListingTest, BrokenFilesAndOtherOptionsAreRefused) {
  testutil::FailingRun failing("1 a 1 1 x 1 : 1 : L 1 : +a.1");
  const testutil::ProgramRun broken = failing.run({"--list-genomes", "-i", "in.txt"});
  EXPECT_EQ(testutil::errorOf(broken, 1),
            failing.directory.file("in.txt") +
                ":1: structure 1 (\"x\"), chromosome 1: the gene list \"+a.1\" does not end with \";\"");
  EXPECT_EQ(broken.out, "");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--list-genomes", "-i", "in.txt", "-o", "out.lp"},
        {"--list-genomes", "-i", "in.txt", "--pair", "1,2"}, {"--list-genomes"}}) {
    const testutil::ProgramRun refused = failing.run(args);
    testutil::errorOf(refused, 2);
    EXPECT_EQ(refused.out, "") << args.back();
  }
  failing.expectUntouched();
}

}  // namespace
}  // namespace paralog
