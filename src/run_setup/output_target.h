#ifndef PARALOG_RUN_SETUP_OUTPUT_TARGET_H
#define PARALOG_RUN_SETUP_OUTPUT_TARGET_H

#include <memory>
#include <optional>
#include <string>

#include "run_setup/safe_output_file.h"

namespace paralog {

/// Where the bytes of a run go, chosen from the output path:
/// - "-": standard output (descriptor 1), written where it stands;
/// - a path naming a descriptor of the process (/dev/stdout, /dev/stderr,
///   /dev/fd/N, /proc/self/fd/N, or a symbolic link leading to one of
///   these): a duplicate of that descriptor, written where it stands;
/// - an existing path that is not a regular file or directory (a FIFO, a
///   character or block device, a Unix socket, or a symbolic link to one):
///   opened (a socket: connected to) and written in place, never replaced;
/// - anything else (regular files, new paths): a SafeOutputFile, replaced
///   atomically by commit().
/// Only the last kind can take back what was written; for the others the
/// bytes are out once written.
class OutputTarget {
 public:
  enum class Kind { kReplacedFile, kInPlace, kStandardOutput };

  /// Opens the target of `path` ("-" or an absolute path). Throws
  /// std::runtime_error("cannot write output file <path>: <reason>") when it
  /// cannot be opened, before any work is done. Opening a FIFO waits for a
  /// reader.
  explicit OutputTarget(const std::string& path);
  ~OutputTarget();
  OutputTarget(const OutputTarget&) = delete;
  OutputTarget& operator=(const OutputTarget&) = delete;

  Kind kind() const { return kind_; }
  /// The descriptor to write to; owned by this object, not to be closed.
  /// Open for reading too only for kReplacedFile.
  int fd() const;
  /// True when the written bytes can be read back, dropped and written
  /// anew (kReplacedFile).
  bool rewritable() const { return kind_ == Kind::kReplacedFile; }
  /// The directory for scratch files that feed the output: the output's
  /// own directory for kReplacedFile, the system's temporary directory
  /// otherwise.
  const std::string& scratchDirectory() const { return scratchDirectory_; }
  /// How messages name the output: the path, or "standard output".
  const std::string& displayName() const { return displayName_; }

  /// Completes the output once every byte is written and flushed: puts a
  /// replaced file in place, closes an in-place one (reporting late write
  /// errors). Throws std::runtime_error on failure.
  void commit();

 private:
  Kind kind_ = Kind::kReplacedFile;
  std::string displayName_;
  std::string scratchDirectory_;
  std::optional<SafeOutputFile> file_;  // kReplacedFile only
  int fd_ = -1;                         // kInPlace and kStandardOutput; owned for kInPlace
};

/// The descriptor number that `path` stands for, if it names one of the
/// process's descriptors, directly or through symbolic links:
/// /dev/stdin, /dev/stdout, /dev/stderr, /dev/fd/N, /proc/self/fd/N or
/// /proc/<own pid>/fd/N.
std::optional<int> descriptorOfPath(const std::string& path);

}  // namespace paralog

#endif  // PARALOG_RUN_SETUP_OUTPUT_TARGET_H
