#include <fcntl.h>

#include <cerrno>
#include <csignal>
#include <exception>
#include <iostream>
#include <new>
#include <string>

#include "app/driver.h"
#include "run_setup/run_parameters.h"

namespace {

// A process started with standard output (or input, or error) closed would
// hand that descriptor number to the first file it opens, and progress lines
// would then land in the LP file. Park /dev/null there instead, opened for
// reading only: a write to a closed standard output still fails, and the
// run reports it instead of losing its output without a word.
void occupyStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
      if (::open("/dev/null", O_RDONLY) != fd) return;
    }
  }
}

// Every failure ends the run with exactly one line on standard error. The
// items a message quotes are escaped where it is made; whatever else holds
// a byte outside printable ASCII (a path, a library's text) is escaped
// here, line ends turned into blanks, so no raw control byte reaches a
// terminal.
void reportError(const char* message) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string line;
  for (const char* c = message; *c != '\0'; ++c) {
    const auto byte = static_cast<unsigned char>(*c);
    if (byte == '\n' || byte == '\r') {
      line += ' ';
    } else if (byte >= 0x20 && byte < 0x7f) {
      line += *c;
    } else {
      line += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xf]};
    }
  }
  std::cerr << "error: " << line << std::endl;
}

}  // namespace

int main(int argc, char* argv[]) {
  // A file size limit or a closed pipe turns into a failed write, which is
  // reported, instead of a signal that kills the process.
  std::signal(SIGXFSZ, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
  occupyStandardDescriptors();
  try {
    return paralog::runProgram(argc, argv, std::cout, std::cerr);
  } catch (const paralog::UsageError& error) {
    reportError(error.what());
    return 2;
  } catch (const std::bad_alloc&) {
    reportError("out of memory");
  } catch (const std::exception& error) {
    reportError(error.what());
  } catch (...) {
    reportError("unexpected failure");
  }
  return 1;
}
