// The solving options of the command line reach the embedded solver.

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "solve/solve_run.h"

namespace paralog {
namespace {

TEST(SolveOptionsTest, ThreadsAndTimeLimitReachTheSolver) {
  std::ostringstream log;
  const auto optionsOf = [&log](std::vector<const char*> args) {
    args.insert(args.begin(), {"p", "-i", "a", "--solve"});
    const CommandLine line = readCommandLine(static_cast<int>(args.size()), args.data());
    return solveOptionsOf(line.parameters, log);
  };
  EXPECT_EQ(optionsOf({}).threads, 1);
  EXPECT_FALSE(optionsOf({}).timeLimitSeconds);
  const SolveOptions options =
      optionsOf({"--threads", "3", "--oversubscribe", "--time-limit", "2.5"});
  EXPECT_EQ(options.threads, 3);
  EXPECT_EQ(options.timeLimitSeconds, 2.5);
  EXPECT_EQ(options.progress, &log);
}

}  // namespace
}  // namespace paralog
