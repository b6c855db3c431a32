#ifndef PARALOG_RUN_SETUP_SAFE_OUTPUT_FILE_H
#define PARALOG_RUN_SETUP_SAFE_OUTPUT_FILE_H

#include <string>

namespace paralog {

/// An output file that appears complete or not at all.
///
/// The bytes go to a temporary file in the output's directory; `commit`
/// closes it (checking the result, where late write errors surface), gives
/// it the mode a newly created file gets (0666 less the umask) and renames
/// it over the output path. Until then an existing output file keeps its
/// content, and if the object is destroyed without a successful commit the
/// temporary file is removed. Where the file system allows, the temporary
/// file has no name until the commit, so not even a killed process leaves
/// one behind.
///
/// An output path that is a symbolic link to an existing file replaces that
/// file, not the link.
class SafeOutputFile {
 public:
  /// How the temporary file is made: `kAuto` prefers an unnamed file and
  /// falls back to a named one; `kNamed` always names it (for tests).
  enum class Mode { kAuto, kNamed };

  /// Checks that `path` can be written (it is not a directory, an existing
  /// file there is writable) and creates the temporary file. Throws
  /// std::runtime_error("cannot write output file <path>: <reason>")
  /// otherwise, so that a run fails before any work is done.
  explicit SafeOutputFile(const std::string& path, Mode mode = Mode::kAuto);
  ~SafeOutputFile();
  SafeOutputFile(const SafeOutputFile&) = delete;
  SafeOutputFile& operator=(const SafeOutputFile&) = delete;

  /// The descriptor to write the content to, open for reading too (a writer
  /// may read back what it wrote); not to be closed by the caller.
  int fd() const { return fd_; }
  /// The directory that will hold the output, without a trailing "/".
  const std::string& directory() const { return directory_; }

  /// Puts the written file in place of the output path. Call once, after
  /// every write has succeeded and buffers are flushed. Throws
  /// std::runtime_error if the file cannot be completed; the output path is
  /// then left as it was.
  void commit();

 private:
  void linkUnnamedFile();
  [[noreturn]] void fail(const std::string& reason) const;

  std::string path_;       // as given, for messages
  std::string target_;     // the file to replace (a symbolic link resolved)
  std::string directory_;  // directory of target_
  std::string tempPath_;   // name of the temporary file, once it has one
  int fd_ = -1;
  bool unnamed_ = false;
  bool committed_ = false;
};

}  // namespace paralog

#endif  // PARALOG_RUN_SETUP_SAFE_OUTPUT_FILE_H
