// Whole-program runs that fail: each ends with one "error: " line on
// standard error and a non-zero status (2 for command-line misuse, 1 for
// the rest), never with a signal, and leaves the output path as it was.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/failing_run.h"
#include "support/run_program.h"

namespace paralog {
namespace {

using ::testing::HasSubstr;
using testutil::errorOf;
using testutil::FailingRun;
using testutil::kOldOutput;
using testutil::ProgramRun;
using testutil::runExecutable;
using testutil::RunOptions;
using testutil::TempDirectory;

constexpr const char* kTwoStructures =
    "0\n2\nfirst 0 : 1 :\nL 2 : +a.1-b.1;\nsecond 1 : 1 :\nC 2 : +b.1+a.1;\n";

TEST(ProgramFailuresTest, CommandLineMisuseEndsWithStatusTwo) {
  const FailingRun setup(kTwoStructures);
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const std::vector<Case> cases = {
      {{"-i", "in.txt", "-o", "out.lp", "--bogus"}, "unrecognised option '--bogus'"},
      {{"-o", "out.lp", "-i"}, "the required argument for option '--input' is missing"},
      {{"-i", "in.txt"}, "the option '--output' is required but missing"},
      {{"--output=out.lp"}, "the option '--input' is required but missing"},
      {{}, "the options '--input' and '--output' are required but missing"},
  };
  for (const Case& c : cases) {
    const ProgramRun run = setup.run(c.args);
    EXPECT_EQ(errorOf(run, 2), c.error);
    EXPECT_EQ(run.out, "Parsing params...\n");
  }
  setup.expectUntouched();
}

TEST(ProgramFailuresTest, InputFileThatCannotBeOpened) {
  const FailingRun setup(kTwoStructures);
  const ProgramRun missing = setup.run({"-i", "nope.txt", "-o", "out.lp"});
  EXPECT_EQ(errorOf(missing, 1),
            "invalid input file provided: " + setup.directory.file("nope.txt") +
                ": No such file or directory");
  EXPECT_EQ(missing.out, "Parsing params...\nDone\n");

  ASSERT_EQ(::mkdir(setup.directory.file("dir").c_str(), 0755), 0);
  const ProgramRun directory = setup.run({"-i", "dir", "-o", "out.lp"});
  EXPECT_EQ(errorOf(directory, 1),
            "invalid input file provided: " + setup.directory.file("dir") + ": Is a directory");
  ::rmdir(setup.directory.file("dir").c_str());
  setup.expectUntouched();
}

TEST(ProgramFailuresTest, MalformedInputNamesFileLineAndItem) {
  const FailingRun setup("0\n2\nfirst 0 : 1 :\nL 2 : +a.1-b.1;\nsecond x : 1 :\nC 2 : +b.1+a.1;\n");
  const ProgramRun run = setup.run({"-i", "in.txt", "-o", "out.lp"});
  EXPECT_EQ(errorOf(run, 1), setup.directory.file("in.txt") +
                                 ":5: structure 2 (\"second\"): expected the id, found \"x\"");
  EXPECT_EQ(run.out, "Parsing params...\nDone\nReading structures...\n");
  setup.expectUntouched();
}

TEST(ProgramFailuresTest, FewerThanTwoStructures) {
  const FailingRun one("0\n1\nfirst 0 : 1 :\nL 2 : +a.1-b.1;\n");
  const ProgramRun run = one.run({"-i", "in.txt", "-o", "out.lp"});
  EXPECT_EQ(errorOf(run, 1), one.directory.file("in.txt") + ": found 1 structure; two are needed");
  EXPECT_EQ(run.out, "Parsing params...\nDone\nReading structures...\nDone\n");
  one.expectUntouched();

  const FailingRun none("0\n0\n");
  EXPECT_EQ(errorOf(none.run({"-i", "in.txt", "-o", "out.lp"}), 1),
            none.directory.file("in.txt") + ": found 0 structures; two are needed");
  none.expectUntouched();
}

TEST(ProgramFailuresTest, StructuresWithDifferentGeneNames) {
  const FailingRun setup("0\n2\nfirst 0 : 1 :\nL 2 : +a.1-b.1;\nsecond 1 : 1 :\nC 2 : +b.1+c.1;\n");
  const ProgramRun run = setup.run({"-i", "in.txt", "-o", "out.lp"});
  EXPECT_EQ(errorOf(run, 1), setup.directory.file("in.txt") +
                                 ": 2 genes occur in only one of the compared genomes: in \"first\" "
                                 "only: \"a\"; in \"second\" only: \"c\"; both genomes must "
                                 "hold the same gene names (--drop-unshared removes such genes "
                                 "from both)");
  EXPECT_EQ(run.out, "Parsing params...\nDone\nReading structures...\nDone\n");
  setup.expectUntouched();
}

TEST(ProgramFailuresTest, ComparedStructuresWithTheSameId) {
  // The id goes into variable names: with one id the genomes would share variables.
  const FailingRun setup(
      "0\n3\nfirst 3 : 1 :\nC 2 : +a.1+b.1;\nsecond 3 : 1 :\nC 2 : -b.1-a.1;\n"
      "third 3 : 0 :\n");
  const ProgramRun run = setup.run({"-i", "in.txt", "-o", "out.lp"});
  EXPECT_EQ(errorOf(run, 1), setup.directory.file("in.txt") +
                                 ": structures \"first\" and \"second\" both have id 3; the two "
                                 "structures compared must have different ids");
  EXPECT_EQ(run.out, "Parsing params...\nDone\nReading structures...\nDone\n");
  setup.expectUntouched();
}

TEST(ProgramFailuresTest, UnwritableOutputPathFailsBeforeAnyWork) {
  const FailingRun setup(kTwoStructures);
  const std::string readingDone = "Parsing params...\nDone\nReading structures...\nDone\n";

  const ProgramRun missingDirectory = setup.run({"-i", "in.txt", "-o", "missing/out.lp"});
  EXPECT_EQ(errorOf(missingDirectory, 1),
            "cannot write output file " + setup.directory.file("missing/out.lp") +
                ": cannot create a file in " + setup.directory.file("missing") +
                ": No such file or directory");
  EXPECT_EQ(missingDirectory.out, readingDone);

  const ProgramRun directory = setup.run({"-i", "in.txt", "-o", "."});
  EXPECT_EQ(errorOf(directory, 1),
            "cannot write output file " + setup.directory.file(".") + ": Is a directory");
  EXPECT_EQ(directory.out, readingDone);

  // A directory named like a file, with and without a trailing "/".
  ASSERT_EQ(::mkdir(setup.directory.file("sub").c_str(), 0755), 0);
  for (const std::string name : {"sub", "sub/"}) {
    EXPECT_EQ(errorOf(setup.run({"-i", "in.txt", "-o", name}), 1),
              "cannot write output file " + setup.directory.file(name) + ": Is a directory");
  }
  ::rmdir(setup.directory.file("sub").c_str());
  setup.expectUntouched();
}

// Runs that need permissions to bite: as an ordinary user directly, as root
// with the child switched to user nobody (skipped if that user cannot run
// the executable from where it was built).
class PermissionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    options_.dropRoot = true;
    TempDirectory probe;
    const ProgramRun run = runExecutable(probe.path(), {"--help"}, options_);
    if (run.exitStatus != 0) GTEST_SKIP() << "cannot run the executable without root rights";
  }
  RunOptions options_;
};

TEST_F(PermissionTest, ReadOnlyDirectory) {
  FailingRun setup(kTwoStructures);
  ASSERT_EQ(::mkdir(setup.directory.file("locked").c_str(), 0755), 0);
  setup.directory.write("locked/out.lp", kOldOutput);
  ASSERT_EQ(::chmod(setup.directory.file("locked/out.lp").c_str(), 0666), 0);
  ASSERT_EQ(::chmod(setup.directory.file("locked").c_str(), 0555), 0);

  const ProgramRun existing = setup.run({"-i", "in.txt", "-o", "locked/out.lp"}, options_);
  EXPECT_EQ(errorOf(existing, 1), "cannot write output file " +
                                      setup.directory.file("locked/out.lp") +
                                      ": cannot create a file in " +
                                      setup.directory.file("locked") + ": Permission denied");
  EXPECT_EQ(existing.out, "Parsing params...\nDone\nReading structures...\nDone\n");
  const ProgramRun fresh = setup.run({"-i", "in.txt", "-o", "locked/new.lp"}, options_);
  EXPECT_THAT(errorOf(fresh, 1), HasSubstr("Permission denied"));

  EXPECT_EQ(setup.directory.read("locked/out.lp"), kOldOutput);
  EXPECT_FALSE(setup.directory.exists("locked/new.lp"));
}

TEST_F(PermissionTest, ReadOnlyOutputFile) {
  FailingRun setup(kTwoStructures);
  ASSERT_EQ(::mkdir(setup.directory.file("open").c_str(), 0777), 0);
  ASSERT_EQ(::chmod(setup.directory.file("open").c_str(), 0777), 0);
  setup.directory.write("open/out.lp", kOldOutput);
  ASSERT_EQ(::chmod(setup.directory.file("open/out.lp").c_str(), 0444), 0);

  const ProgramRun run = setup.run({"-i", "in.txt", "-o", "open/out.lp"}, options_);
  EXPECT_EQ(errorOf(run, 1), "cannot write output file " + setup.directory.file("open/out.lp") +
                                 ": Permission denied");
  EXPECT_EQ(setup.directory.read("open/out.lp"), kOldOutput);
  EXPECT_EQ(::access(setup.directory.file("open").c_str(), F_OK), 0);
  ::chmod(setup.directory.file("open/out.lp").c_str(), 0644);
}

TEST_F(PermissionTest, UnreadableInputFile) {
  FailingRun setup(kTwoStructures);
  ASSERT_EQ(::chmod(setup.directory.file("in.txt").c_str(), 0600), 0);
  const ProgramRun run = setup.run({"-i", "in.txt", "-o", "out.lp"}, options_);
  EXPECT_EQ(errorOf(run, 1), "invalid input file provided: " + setup.directory.file("in.txt") +
                                 ": Permission denied");
  setup.expectUntouched();
}

TEST(ProgramFailuresTest, FullDiskIsAnErrorAndKeepsTheOldOutput) {
  // A file size limit makes writes fail as on a full disk; the process must
  // report it rather than be killed by SIGXFSZ or report success.
  const FailingRun setup(kTwoStructures);
  RunOptions options;
  options.fileSizeLimit = 8;
  const ProgramRun run = setup.run({"-i", "in.txt", "-o", "out.lp"}, options);
  EXPECT_EQ(errorOf(run, 1), "cannot write " + setup.directory.file("out.lp") + ": File too large");
  EXPECT_EQ(run.out, std::string(testutil::kFullRunOutput)
                         .substr(0, std::string(testutil::kFullRunOutput).rfind("Done\n")));
  setup.expectUntouched();
}

// Two structures over `genes` distinct genes, one linear and one circular
// chromosome: the LP file grows with the cube of `genes` (32 give about
// 3.7 MB).
std::string distinctGenes(int genes) {
  std::string list;
  for (int g = 1; g <= genes; ++g) list += "+g" + std::to_string(g) + ".1";
  const std::string count = std::to_string(genes);
  return "0 2 A 0 : 1 : L " + count + " : " + list + "; B 1 : 1 : C " + count + " : " + list + ";";
}

TEST(ProgramFailuresTest, FullDiskPartWayThroughLeavesNothing) {
  // Megabytes of lines go to the file while the generators still run before
  // the limit is hit; the half-written file must vanish, whether or not an
  // output existed.
  FailingRun setup(distinctGenes(32));
  RunOptions options;
  options.fileSizeLimit = 2 << 20;
  const std::string error = "cannot write " + setup.directory.file("out.lp") + ": File too large";
  EXPECT_EQ(errorOf(setup.run({"-i", "in.txt", "-o", "out.lp"}, options), 1), error);
  setup.expectUntouched();

  ASSERT_EQ(::unlink(setup.directory.file("out.lp").c_str()), 0);
  EXPECT_EQ(errorOf(setup.run({"-i", "in.txt", "-o", "out.lp"}, options), 1), error);
  EXPECT_THAT(setup.directory.entries(), ::testing::ElementsAre("in.txt"));
}

}  // namespace
}  // namespace paralog
