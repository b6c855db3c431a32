#include "common/anonymous_file.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace paralog {

AnonymousFile::AnonymousFile(const std::string& directory) {
  const std::string dir = directory.empty() ? std::string(".") : directory;
#ifdef O_TMPFILE
  fd_ = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
#endif
  if (fd_ < 0) {
    // File systems without O_TMPFILE: create a named file and unlink it at once.
    std::string pattern = dir + "/.paralog-ilp-spill-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ >= 0) ::unlink(name.data());
  }
  if (fd_ < 0) {
    throw std::runtime_error("cannot create a temporary file in " + dir + ": " + std::strerror(errno));
  }
}

AnonymousFile::~AnonymousFile() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace paralog
