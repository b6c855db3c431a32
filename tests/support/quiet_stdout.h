#ifndef PARALOG_SUPPORT_QUIET_STDOUT_H
#define PARALOG_SUPPORT_QUIET_STDOUT_H

#include <iostream>
#include <sstream>
#include <streambuf>

namespace paralog::testutil {

/// Collects what is printed on std::cout while it lives (the generators'
/// progress lines), so that tests running many programs stay readable.
class QuietStdout {
 public:
  QuietStdout() : saved_(std::cout.rdbuf(sink_.rdbuf())) {}
  ~QuietStdout() { std::cout.rdbuf(saved_); }
  QuietStdout(const QuietStdout&) = delete;
  QuietStdout& operator=(const QuietStdout&) = delete;

  /// Everything printed so far.
  std::string text() const { return sink_.str(); }

 private:
  std::ostringstream sink_;
  std::streambuf* saved_;
};

}  // namespace paralog::testutil

#endif  // PARALOG_SUPPORT_QUIET_STDOUT_H
