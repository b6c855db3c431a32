#ifndef PARALOG_SUPPORT_FAILING_RUN_H
#define PARALOG_SUPPORT_FAILING_RUN_H

// Helpers for whole-program runs that must fail: one "error: " line on
// standard error, a non-zero status, and the output path left as it was.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/run_program.h"

namespace paralog::testutil {

/// The content of out.lp before a failing run.
inline constexpr const char* kOldOutput = "an earlier LP file\n";

/// Checks the common shape of a failed run (no signal, `expectedStatus`,
/// exactly one line on standard error, starting with "error: ") and
/// returns its error text without "error: " and the line end.
inline std::string errorOf(const ProgramRun& run, int expectedStatus) {
  EXPECT_EQ(run.signal, 0);
  EXPECT_EQ(run.exitStatus, expectedStatus) << run.err;
  EXPECT_THAT(run.err, ::testing::StartsWith("error: "));
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  if (run.err.size() < 8 || run.err.back() != '\n') return run.err;
  return run.err.substr(7, run.err.size() - 8);
}

/// A directory with the given input as in.txt and an earlier out.lp.
class FailingRun {
 public:
  explicit FailingRun(const std::string& input) {
    directory.write("in.txt", input);
    directory.write("out.lp", kOldOutput);
  }
  ProgramRun run(const std::vector<std::string>& args, const RunOptions& options = {}) const {
    return runExecutable(directory.path(), args, options);
  }
  /// The earlier output is intact and nothing else (no temporary file, no
  /// other output) is left.
  void expectUntouched() const {
    EXPECT_EQ(directory.read("out.lp"), kOldOutput);
    EXPECT_THAT(directory.entries(), ::testing::ElementsAre("in.txt", "out.lp"));
  }

  TempDirectory directory;
};

}  // namespace paralog::testutil

#endif  // PARALOG_SUPPORT_FAILING_RUN_H
