#ifndef PARALOG_COMMON_ANONYMOUS_FILE_H
#define PARALOG_COMMON_ANONYMOUS_FILE_H

#include <string>

namespace paralog {

/// A read-write file without a name in the file system, created in a given
/// directory (so that it lives on the same disk as the output it feeds) and
/// gone once closed, whatever way the process ends.
class AnonymousFile {
 public:
  /// Throws std::runtime_error if no such file can be made in `directory`.
  explicit AnonymousFile(const std::string& directory);
  ~AnonymousFile();
  AnonymousFile(const AnonymousFile&) = delete;
  AnonymousFile& operator=(const AnonymousFile&) = delete;

  int fd() const { return fd_; }

 private:
  int fd_ = -1;
};

}  // namespace paralog

#endif  // PARALOG_COMMON_ANONYMOUS_FILE_H
