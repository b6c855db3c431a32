#ifndef PARALOG_SUPPORT_RUN_PROGRAM_H
#define PARALOG_SUPPORT_RUN_PROGRAM_H

// Helpers for whole-program tests: run the built paralog-ilp in a scratch
// directory and look at what it printed and left behind.

#include <sys/resource.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace paralog::testutil {

/// What one finished run of the executable left: its exit status (or the
/// signal that ended it) and everything it wrote to stdout and stderr.
struct ProgramRun {
  int exitStatus = -1;  ///< -1 when the process was ended by a signal
  int signal = 0;       ///< the ending signal, 0 when it exited normally
  std::string out;
  std::string err;
};

/// How to start the executable.
struct RunOptions {
  /// argv[0] as the program sees it; empty means the executable's path.
  std::string argv0;
  /// RLIMIT_FSIZE in bytes for the child (simulates a full disk).
  std::optional<rlim_t> fileSizeLimit;
  /// The child's umask; unset keeps the parent's.
  std::optional<mode_t> umask;
  /// When the tests run as root, run the child as user and group 65534
  /// (nobody), so that permission checks apply to it.
  bool dropRoot = false;
  /// Start the child with standard output closed (stdout is then empty).
  bool closeStdout = false;
};

/// Runs the executable under test (PARALOG_EXECUTABLE) with `args` in
/// `workingDirectory`, standard input empty, and waits for it.
ProgramRun runExecutable(const std::string& workingDirectory, const std::vector<std::string>& args,
                         const RunOptions& options = {});

/// What a shell script printed (standard output and error together) and its
/// exit status (-1 when it did not exit normally).
struct ShellRun {
  int exitStatus = -1;
  std::string output;
};

/// Runs `script` with bash in `workingDirectory`, standard input empty.
ShellRun runShell(const std::string& workingDirectory, const std::string& script);

/// The first of `programs` that this machine lacks, or empty when it has
/// them all. A name is looked up on PATH, except "highs": the npm package
/// that scripts/install-deps.sh puts under tests/solvers (with node on PATH).
std::string missingProgram(const std::vector<std::string>& programs);

/// Ends the running test as skipped (CTest's skip status, not a failure)
/// when one of the named programs is missing.
#define PARALOG_SKIP_WITHOUT(...)                                                   \
  if (const std::string missing = ::paralog::testutil::missingProgram({__VA_ARGS__}); \
      !missing.empty())                                                             \
  GTEST_SKIP() << missing << " is not installed"

/// A fresh directory under $TMPDIR (or /tmp), removed with its content
/// (permissions restored first) when the object goes.
class TempDirectory {
 public:
  TempDirectory();
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::string& path() const { return path_; }
  /// path() + "/" + name.
  std::string file(const std::string& name) const;
  void write(const std::string& name, const std::string& content) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;
  /// Names of every entry, hidden ones included, sorted.
  std::vector<std::string> entries() const;

 private:
  std::string path_;
};

/// Whole content of a file; fails the current test if it cannot be read.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& content);

/// A path inside the source tree (PARALOG_SOURCE_DIR).
std::string sourcePath(const std::string& relative);

/// The progress lines of a complete run.
extern const char* const kFullRunOutput;

}  // namespace paralog::testutil

#endif  // PARALOG_SUPPORT_RUN_PROGRAM_H
