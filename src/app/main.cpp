#include <fcntl.h>

#include <cerrno>
#include <csignal>
#include <exception>
#include <iostream>
#include <new>
#include <string>

#include "app/driver.h"
#include "app/run_parameters.h"

namespace {

// A process started with standard output (or input, or error) closed would
// hand that descriptor number to the first file it opens, and progress lines
// would then land in the LP file. Park /dev/null there instead.
void occupyStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
      if (::open("/dev/null", O_RDWR) != fd) return;
    }
  }
}

// Every failure ends the run with exactly one line on standard error.
void reportError(const char* message) {
  std::string line = message;
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
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
