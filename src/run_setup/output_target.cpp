#include "run_setup/output_target.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <boost/filesystem/operations.hpp>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace paralog {
namespace {

// Symbolic links followed at most, as the kernel does.
constexpr int kMaxLinks = 40;

std::optional<int> descriptorNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The descriptor that `path` names by its spelling alone.
std::optional<int> namedDescriptor(const std::string& path) {
  if (path == "/dev/stdin") return 0;
  if (path == "/dev/stdout") return 1;
  if (path == "/dev/stderr") return 2;
  const std::string own = "/proc/" + std::to_string(::getpid()) + "/fd/";
  for (const std::string& prefix : {std::string("/dev/fd/"), std::string("/proc/self/fd/"), own}) {
    if (path.compare(0, prefix.size(), prefix) == 0) {
      return descriptorNumber(std::string_view(path).substr(prefix.size()));
    }
  }
  return std::nullopt;
}

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
  throw std::runtime_error("cannot write output file " + path + ": " + reason);
}

int connectSocket(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) fail(path, std::strerror(ENAMETOOLONG));
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) fail(path, std::strerror(errno));
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    const int error = errno;
    ::close(fd);
    fail(path, std::strerror(error));
  }
  return fd;
}

std::string temporaryDirectory() {
  boost::system::error_code error;
  const boost::filesystem::path directory = boost::filesystem::temp_directory_path(error);
  return error ? std::string("/tmp") : directory.string();
}

}  // namespace

std::optional<int> descriptorOfPath(const std::string& path) {
  std::string current = path;
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    if (std::optional<int> fd = namedDescriptor(current)) return fd;
    struct stat status {};
    if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return std::nullopt;
    std::string target(static_cast<size_t>(status.st_size) + 256, '\0');
    const ssize_t size = ::readlink(current.c_str(), target.data(), target.size());
    if (size <= 0 || static_cast<size_t>(size) >= target.size()) return std::nullopt;
    target.resize(static_cast<size_t>(size));
    if (target.front() != '/') {
      const size_t slash = current.rfind('/');
      target = (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) + target;
    }
    current = target;
  }
  return std::nullopt;
}

OutputTarget::OutputTarget(const std::string& path) : displayName_(path) {
  if (path == "-") {
    kind_ = Kind::kStandardOutput;
    displayName_ = "standard output";
    fd_ = STDOUT_FILENO;
    scratchDirectory_ = temporaryDirectory();
    return;
  }
  if (std::optional<int> descriptor = descriptorOfPath(path)) {
    kind_ = Kind::kInPlace;
    fd_ = ::fcntl(*descriptor, F_DUPFD_CLOEXEC, 3);
    if (fd_ < 0) fail(path, std::strerror(errno));
    scratchDirectory_ = temporaryDirectory();
    return;
  }
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode)) {
    kind_ = Kind::kInPlace;
    if (S_ISSOCK(status.st_mode)) {
      fd_ = connectSocket(path);
    } else {
      fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
      if (fd_ < 0) fail(path, std::strerror(errno));
    }
    scratchDirectory_ = temporaryDirectory();
    return;
  }
  file_.emplace(path);
  scratchDirectory_ = file_->directory();
}

OutputTarget::~OutputTarget() {
  if (kind_ == Kind::kInPlace && fd_ >= 0) ::close(fd_);
}

int OutputTarget::fd() const { return file_ ? file_->fd() : fd_; }

void OutputTarget::commit() {
  switch (kind_) {
    case Kind::kReplacedFile:
      file_->commit();
      return;
    case Kind::kInPlace: {
      const int fd = fd_;
      fd_ = -1;
      if (::close(fd) != 0 && errno != EINTR) fail(displayName_, std::strerror(errno));
      return;
    }
    case Kind::kStandardOutput:
      return;
  }
}

}  // namespace paralog
