// The solving options of the command line reach the command line of CBC.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/run_parameters.h"
#include "solve/embedded_cbc.h"
#include "solve/solve_run.h"

namespace paralog {
namespace {

using ::testing::ElementsAreArray;

std::vector<std::string> cbcArgumentsOf(std::vector<const char*> args) {
  const CommandLine line = readCommandLine(static_cast<int>(args.size()), args.data());
  if (line.failure) std::rethrow_exception(line.failure);
  std::ostringstream log;
  return cbcArguments(solveOptionsOf(line.parameters, log));
}

TEST(CbcArgumentsTest, ThreadsAndTimeLimitReachCbc) {
  const std::vector<std::string> head = {"paralog-ilp", "-log",      "0",      "-slog",
                                         "0",           "-timeMode", "elapsed"};
  const auto with = [&head](std::vector<std::string> middle) {
    middle.insert(middle.begin(), head.begin(), head.end());
    middle.insert(middle.end(), {"-solve", "-quit"});
    return middle;
  };
  EXPECT_THAT(cbcArgumentsOf({"p", "-i", "a", "--solve"}), ElementsAreArray(with({})));
  EXPECT_THAT(cbcArgumentsOf({"p", "-i", "a", "--solve", "--threads", "1"}),
              ElementsAreArray(with({})));
  EXPECT_THAT(cbcArgumentsOf({"p", "-i", "a", "--solve", "--threads", "3", "--time-limit", "2.5"}),
              ElementsAreArray(with({"-threads", "3", "-sec", "2.500"})));
}

}  // namespace
}  // namespace paralog
