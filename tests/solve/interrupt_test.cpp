// SIGINT and SIGTERM during --solve, sent at points the test sees in the
// run's own output, never after a guessed delay: the run reports
// "interrupted" with its best checked solution or fails for want of one,
// a second signal ends it at once, and neither leaves a file behind.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include "support/run_program.h"

namespace paralog {
namespace {

using testutil::TempDirectory;

// The whole program: its search takes long enough to be signalled.
const std::vector<std::string> kFullSolve = {"-i", "in.txt", "--solve", "--solve-model", "full",
                                             "--time-limit", "600", "-o", "out.lp", "--report", "r.tsv"};

// Runs the executable with `arguments` in `directory` in the background,
// output to run.out and run.err; waits until `file` holds `text`, sends
// `signals` and returns the exit status (-1 when the run ended first or by
// a signal).
int signalledRun(const TempDirectory& directory, const std::string& file, const std::string& text,
                 const std::vector<int>& signals, const std::vector<std::string>& arguments = kFullSolve) {
  std::vector<char*> argv = {const_cast<char*>(PARALOG_EXECUTABLE)};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    // A test runner may block or ignore the signals; the run must see them.
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    if (::chdir(directory.path().c_str()) != 0 || !std::freopen("run.out", "w", stdout) ||
        !std::freopen("run.err", "w", stderr)) {
      ::_exit(127);
    }
    ::execv(PARALOG_EXECUTABLE, argv.data());
    ::_exit(127);
  }
  int status = 0;
  while (!directory.exists(file) || directory.read(file).find(text) == std::string::npos) {
    if (::waitpid(pid, &status, WNOHANG) == pid) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  for (int number : signals) ::kill(pid, number);
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct InterruptCase {
  const char* what;
  const char* file;  // where the run shows it reached the point to signal at
  const char* text;
  std::vector<int> signals;
};

TEST(InterruptTest, SignalsStopTheSolveAndLeaveNoFile) {
  const std::string input = testutil::readFile(testutil::sourcePath("examples/two-genomes.txt"));
  // The program is built once "Calculating O variables" is out; the search
  // follows at once, and this program's first solution takes CBC seconds.
  const InterruptCase cases[] = {
      {"Ctrl-C as the search starts", "run.out", "Calculating O variables\n", {SIGINT}},
      {"a second signal ends the run at once", "run.out", "Calculating O variables\n",
       {SIGINT, SIGTERM}},
      {"SIGTERM during the search", "run.err", "solving: ", {SIGTERM}},
  };
  for (const InterruptCase& c : cases) {
    SCOPED_TRACE(c.what);
    TempDirectory directory;
    directory.write("in.txt", input);
    const int status = signalledRun(directory, c.file, c.text, c.signals);
    const std::string out = directory.read("run.out"), err = directory.read("run.err");
    const std::vector<std::string> bare = {"in.txt", "run.err", "run.out"};
    if (c.signals.size() == 2) {
      // 128 + whichever of the two the handler took second.
      EXPECT_THAT(status, ::testing::AnyOf(128 + SIGINT, 128 + SIGTERM));
      EXPECT_EQ(directory.entries(), bare);
    } else if (status == 1) {
      EXPECT_THAT(out, ::testing::HasSubstr("Status: interrupted\n"));
      EXPECT_THAT(err, ::testing::EndsWith(
                           "error: embedded CBC: no solution to report (status: interrupted)\n"));
      EXPECT_EQ(directory.entries(), bare);
    } else {
      // A solution came first: it is reported, checked, with both files.
      EXPECT_EQ(status, 128 + c.signals.front()) << err;
      EXPECT_THAT(out, ::testing::HasSubstr("Status: interrupted\nObjective: "));
      EXPECT_THAT(directory.entries(), ::testing::ElementsAre("in.txt", "out.lp", "r.tsv",
                                                              "run.err", "run.out"));
    }
    if (c.signals == std::vector<int>{SIGINT}) {
      EXPECT_EQ(status, 1) << "no solution can come before the search starts";
    }
  }
}

// A compact run writes the LP file after the search and the check: a
// Ctrl-C while it is written stops the writing, leaves no file and is not
// dropped. Sent once the first family of rows is being written; a run that
// finishes all the same ends with every file.
TEST(InterruptTest, CtrlCWhileACompactRunWritesLeavesNoFile) {
  std::string first = "0\n2\nA 1 : 1 :\nL 150 : ";
  std::string second = "B 2 : 1 :\nL 150 : ";
  for (int g = 1; g <= 150; ++g) {
    first += "+g" + std::to_string(g) + ".1";
    const int reversed = g > 40 && g <= 90 ? 131 - g : g;  // genes 41 to 90 inverted
    second += (reversed != g ? "-g" : "+g") + std::to_string(reversed) + ".1";
  }
  TempDirectory directory;
  directory.write("in.txt", first + ";\n" + second + ";\n");
  const int status = signalledRun(directory, "run.out", "Calculating T variables\n", {SIGINT},
                                  {"-i", "in.txt", "--solve", "-o", "out.lp", "--report", "r.tsv"});
  const std::string out = directory.read("run.out"), err = directory.read("run.err");
  EXPECT_THAT(out, ::testing::HasSubstr("Status: optimal\nObjective: "));
  if (status == 0) {
    EXPECT_THAT(out, ::testing::HasSubstr("Done\nSolution: embedded CBC\n"));
    EXPECT_THAT(directory.entries(), ::testing::ElementsAre("in.txt", "out.lp", "r.tsv", "run.err", "run.out"));
    return;
  }
  EXPECT_EQ(status, 128 + SIGINT) << err;
  EXPECT_THAT(out, ::testing::Not(::testing::HasSubstr("Done\nSolution")));
  EXPECT_THAT(err, ::testing::EndsWith("note: stopped while writing the output files, which are left unwritten\n"));
  EXPECT_EQ(directory.entries(), (std::vector<std::string>{"in.txt", "run.err", "run.out"}));
}

}  // namespace
}  // namespace paralog
