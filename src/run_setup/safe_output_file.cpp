#include "run_setup/safe_output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <stdexcept>
#include <vector>

namespace paralog {
namespace {

constexpr char kTempPrefix[] = "/.paralog-ilp-";

mode_t currentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// A fresh file name in `directory` (not created), for linking the unnamed file.
std::string candidateName(const std::string& directory, unsigned attempt) {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  const unsigned long long mix = (static_cast<unsigned long long>(now.tv_nsec) << 20) ^
                                 (static_cast<unsigned long long>(::getpid()) << 8) ^ attempt;
  return directory + kTempPrefix + std::to_string(mix);
}

}  // namespace

SafeOutputFile::SafeOutputFile(const std::string& path, Mode mode) : path_(path), target_(path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
      target_ = resolved;
      std::free(resolved);
    }
  }

  const size_t slash = target_.rfind('/');
  if (slash == std::string::npos) {
    directory_ = ".";
  } else {
    directory_ = slash == 0 ? std::string("/") : target_.substr(0, slash);
  }
  if (slash != std::string::npos && slash + 1 == target_.size()) fail(std::strerror(EISDIR));

  if (::stat(target_.c_str(), &status) == 0) {
    if (S_ISDIR(status.st_mode)) fail(std::strerror(EISDIR));
    if (::access(target_.c_str(), W_OK) != 0) fail(std::strerror(errno));
  } else if (errno != ENOENT) {
    fail(std::strerror(errno));
  }

#ifdef O_TMPFILE
  if (mode == Mode::kAuto) {
    fd_ = ::open(directory_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
      unnamed_ = true;
      return;
    }
    // Only a file system (or kernel) without unnamed files moves on to a named one.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
      fail("cannot create a file in " + directory_ + ": " + std::strerror(errno));
    }
  }
#else
  (void)mode;
#endif

  const std::string pattern = directory_ + kTempPrefix + "XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd_ = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd_ < 0) fail("cannot create a file in " + directory_ + ": " + std::strerror(errno));
  tempPath_ = name.data();
}

SafeOutputFile::~SafeOutputFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !tempPath_.empty()) ::unlink(tempPath_.c_str());
}

void SafeOutputFile::fail(const std::string& reason) const {
  throw std::runtime_error("cannot write output file " + path_ + ": " + reason);
}

void SafeOutputFile::linkUnnamedFile() {
  const std::string procPath = "/proc/self/fd/" + std::to_string(fd_);
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    const std::string name = candidateName(directory_, attempt);
    int result = ::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
#ifdef AT_EMPTY_PATH
    // Without /proc, linking the descriptor itself needs privileges but may work.
    if (result != 0 && errno == ENOENT)
      result = ::linkat(fd_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH);
#endif
    if (result == 0) {
      tempPath_ = name;
      return;
    }
    if (errno != EEXIST)
      fail("cannot name the finished file in " + directory_ + ": " + std::strerror(errno));
  }
  fail("cannot find a free temporary name in " + directory_);
}

void SafeOutputFile::commit() {
  if (committed_ || fd_ < 0) throw std::logic_error("SafeOutputFile::commit called twice");
  if (unnamed_) {
    linkUnnamedFile();
  } else if (::fchmod(fd_, 0666 & ~currentUmask()) != 0) {
    fail(std::strerror(errno));
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) fail(std::strerror(errno));
  if (::rename(tempPath_.c_str(), target_.c_str()) != 0) fail(std::strerror(errno));
  committed_ = true;
}

}  // namespace paralog
