#include "run_setup/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace paralog {
namespace {

// Closes the descriptor when reading ends, however it ends.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { ::close(fd_); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::runtime_error cannotOpen(const std::string& path, int error) {
  return std::runtime_error("invalid input file provided: " + path + ": " + std::strerror(error));
}

}  // namespace

std::string readInputFile(const std::string& path, uint64_t maxBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw cannotOpen(path, errno);
  const FileDescriptor file(fd);

  struct stat status {};
  if (::fstat(fd, &status) != 0) throw cannotOpen(path, errno);
  if (S_ISDIR(status.st_mode)) throw cannotOpen(path, EISDIR);

  std::string text;
  // The size is only a hint (pipes report 0); reading goes on until the end.
  if (S_ISREG(status.st_mode) && status.st_size > 0 &&
      static_cast<uint64_t>(status.st_size) <= maxBytes) {
    text.reserve(static_cast<size_t>(status.st_size));
  }
  char chunk[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      throw std::runtime_error("cannot read input file " + path + ": " + std::strerror(errno));
    }
    if (got == 0) break;
    if (text.size() + static_cast<uint64_t>(got) > maxBytes) {
      throw std::runtime_error("input file " + path + " is larger than " +
                               std::to_string(maxBytes) + " bytes");
    }
    text.append(chunk, static_cast<size_t>(got));
  }
  return text;
}

}  // namespace paralog
