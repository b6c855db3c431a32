// Whole-program runs of the built executable that succeed: command-line
// forms, paths, the progress lines and the output file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/option_table.h"
#include "support/run_program.h"

namespace paralog {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::StartsWith;
using testutil::kFullRunOutput;
using testutil::ProgramRun;
using testutil::runExecutable;
using testutil::RunOptions;
using testutil::TempDirectory;

constexpr const char* kTwoStructures =
    "2\na 2\nb 1\n"
    "2\n"
    "first 0 : 2 :\nL 3 : +a.1-b.1+a.2;\nC 0 : ;\n"
    "second 1 : 1 :\nC 3 : -a.2+b.1+a.1;\n";

const std::string kUsage =
    std::string("Usage: paralog-ilp -i [file] -o [file]\n") + testutil::kOptionTable;

void expectCompleteRun(const ProgramRun& run) {
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, kFullRunOutput);
  EXPECT_EQ(run.err, "");
}

void expectLpFile(const std::string& content) {
  EXPECT_THAT(content, StartsWith("Minimize\n"));
  EXPECT_THAT(content, EndsWith("\nEnd"));
}

TEST(ProgramTest, RunsOnTheBundledExamples) {
  for (const char* example : {"examples/two-genomes.txt", "examples/worked-example.txt"}) {
    TempDirectory directory;
    directory.write("in.txt", testutil::readFile(testutil::sourcePath(example)));
    const ProgramRun run = runExecutable(directory.path(), {"-i", "in.txt", "-o", "out.lp"});
    expectCompleteRun(run);
    expectLpFile(directory.read("out.lp"));
    // Nothing else is left in the directory.
    EXPECT_THAT(directory.entries(), ElementsAre("in.txt", "out.lp")) << example;
  }
}

TEST(ProgramTest, HelpWithOtherOptionsOnlyShowsTheUsage) {
  TempDirectory directory;
  directory.write("in.txt", kTwoStructures);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"-h", "-i", "in.txt", "-o", "out.lp"},
        std::vector<std::string>{"-i", "in.txt", "--output=out.lp", "--help"}}) {
    RunOptions options;
    options.argv0 = "paralog-ilp";
    const ProgramRun run = runExecutable(directory.path(), args, options);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, "Parsing params...\n");
    EXPECT_EQ(run.err, kUsage);
    EXPECT_THAT(directory.entries(), ElementsAre("in.txt"));
  }
}

TEST(ProgramTest, VersionPrintsOnlyTheVersionLine) {
  TempDirectory directory;
  directory.write("in.txt", kTwoStructures);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--version"},
        std::vector<std::string>{"-i", "in.txt", "--version", "-o", "out.lp"}}) {
    RunOptions options;
    options.argv0 = "renamed-tool";
    const ProgramRun run = runExecutable(directory.path(), args, options);
    EXPECT_EQ(run.exitStatus, 0);
    // The version of the project() line in CMakeLists.txt, under the
    // program's own name whatever argv[0] says.
    EXPECT_EQ(run.out, "paralog-ilp " PARALOG_VERSION "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_THAT(directory.entries(), ElementsAre("in.txt"));
  }
}

TEST(ProgramTest, UsageNamesTheProgramByItsLastPathPart) {
  TempDirectory directory;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"tools\\gen.exe", "gen.exe"}, {"./bin/gen", "gen"}, {"gen", "gen"}};
  for (const auto& [argv0, name] : cases) {
    RunOptions options;
    options.argv0 = argv0;
    const ProgramRun run = runExecutable(directory.path(), {"--help"}, options);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_THAT(run.err, StartsWith("Usage: " + name + " -i [file] -o [file]\nOptions:\n"));
  }
}

TEST(ProgramTest, RelativePathsAreTakenFromTheWorkingDirectory) {
  TempDirectory directory;
  ASSERT_EQ(::mkdir(directory.file("data").c_str(), 0755), 0);
  directory.write("data/in.txt", kTwoStructures);
  const ProgramRun run =
      runExecutable(directory.path(), {"--input=data/in.txt", "-o", "data/out.lp"});
  expectCompleteRun(run);
  expectLpFile(directory.read("data/out.lp"));
  EXPECT_THAT(directory.entries(), ElementsAre("data"));
}

TEST(ProgramTest, AbsolutePathsAreTakenUnchanged) {
  TempDirectory data;
  TempDirectory elsewhere;
  data.write("in.txt", kTwoStructures);
  const ProgramRun run = runExecutable(
      elsewhere.path(), {"--input", data.file("in.txt"), "--output", data.file("out.lp")});
  expectCompleteRun(run);
  expectLpFile(data.read("out.lp"));
  EXPECT_THAT(elsewhere.entries(), ElementsAre());
}

TEST(ProgramTest, ExistingOutputIsReplacedWithTheNewProgram) {
  TempDirectory directory;
  directory.write("in.txt", kTwoStructures);
  directory.write("out.lp", std::string(100000, 'x'));
  expectCompleteRun(runExecutable(directory.path(), {"-i", "in.txt", "-o", "out.lp"}));
  expectLpFile(directory.read("out.lp"));
  EXPECT_THAT(directory.entries(), ElementsAre("in.txt", "out.lp"));
}

TEST(ProgramTest, OutputFileGetsTheModeOfANewFile) {
  TempDirectory directory;
  directory.write("in.txt", kTwoStructures);
  for (const mode_t mask : {mode_t{022}, mode_t{077}}) {
    RunOptions options;
    options.umask = mask;
    expectCompleteRun(runExecutable(directory.path(), {"-i", "in.txt", "-o", "out.lp"}, options));
    struct stat status {};
    ASSERT_EQ(::stat(directory.file("out.lp").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0666 & ~mask);
    ::unlink(directory.file("out.lp").c_str());
  }
}

TEST(ProgramTest, OnlyTheFirstTwoStructuresCount) {
  // A third structure is read and checked, but does not change the output.
  TempDirectory directory;
  directory.write("two.txt", kTwoStructures);
  std::string three = kTwoStructures;
  three.replace(three.find("\n2\nfirst"), 3, "\n3\n");
  three += "third 9 : 1 :\nC 2 : +zz.1-zz.2;\n";
  directory.write("three.txt", three);
  expectCompleteRun(runExecutable(directory.path(), {"-i", "two.txt", "-o", "two.lp"}));
  const ProgramRun threeRun =
      runExecutable(directory.path(), {"-i", "three.txt", "-o", "three.lp"});
  EXPECT_EQ(threeRun.exitStatus, 0);
  EXPECT_EQ(threeRun.out, kFullRunOutput);
  // One line says which two were compared and that the third was ignored.
  EXPECT_EQ(threeRun.err,
            "note: comparing genome 1 (\"first\") with genome 2 (\"second\"); 1 more genome in "
            "the file is ignored (choose two with --pair A,B)\n");
  EXPECT_EQ(directory.read("two.lp"), directory.read("three.lp"));

  // Still, the third must be well-formed.
  std::string bad = three;
  bad.replace(bad.find("+zz.1-zz.2;"), 11, "+zz.1-zz.2");
  directory.write("bad.txt", bad);
  const ProgramRun run = runExecutable(directory.path(), {"-i", "bad.txt", "-o", "bad.lp"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_THAT(run.err, StartsWith("error: " + directory.file("bad.txt") +
                                  ":11: structure 3 (\"third\"), chromosome 1: the gene list"));
  EXPECT_FALSE(directory.exists("bad.lp"));
}

TEST(ProgramTest, ParalogTableDoesNotChangeTheOutput) {
  TempDirectory directory;
  directory.write("a.txt", kTwoStructures);
  std::string other = kTwoStructures;
  other.replace(0, other.find("\n2\nfirst"), "3\nq 7\nr -1\nq 9");
  directory.write("b.txt", other);
  expectCompleteRun(runExecutable(directory.path(), {"-i", "a.txt", "-o", "a.lp"}));
  expectCompleteRun(runExecutable(directory.path(), {"-i", "b.txt", "-o", "b.lp"}));
  EXPECT_EQ(directory.read("a.lp"), directory.read("b.lp"));
}

TEST(ProgramTest, EmptyLinearChromosomeIsAccepted) {
  TempDirectory directory;
  directory.write("in.txt", "0\n2\nA 0 : 2 :\nL 0 : ;\nL 1 : +a.1;\nB 1 : 1 :\nC 1 : +a.1;\n");
  expectCompleteRun(runExecutable(directory.path(), {"-i", "in.txt", "-o", "out.lp"}));
  expectLpFile(directory.read("out.lp"));
}

TEST(ProgramTest, ClosedStandardOutputDoesNotLeakIntoTheLpFile) {
  TempDirectory directory;
  directory.write("in.txt", kTwoStructures);
  RunOptions options;
  options.closeStdout = true;
  const ProgramRun run = runExecutable(directory.path(), {"-i", "in.txt", "-o", "out.lp"}, options);
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  const std::string content = directory.read("out.lp");
  expectLpFile(content);
  EXPECT_EQ(content.find("Calculating"), std::string::npos);
}

}  // namespace
}  // namespace paralog
