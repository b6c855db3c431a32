#include <csignal>
#include <exception>
#include <iostream>
#include <new>
#include <string>

#include "app/driver.h"
#include "app/run_parameters.h"

namespace {

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
  try {
    return paralog::runProgram(argc, argv);
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
