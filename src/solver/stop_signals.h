#ifndef PARALOG_SOLVER_STOP_SIGNALS_H
#define PARALOG_SOLVER_STOP_SIGNALS_H

#include <signal.h>

#include <atomic>
#include <thread>

namespace paralog {

/// Turns SIGINT and SIGTERM into a stop request while it lives: the first
/// such signal raises the flag that stopRequest() returns (a solve polls it
/// and ends with what it has); a second one ends the process at once with
/// status 128 + the signal's number. Output files that are replaced whole
/// are unnamed until their commit, so even that leaves no partial file.
///
/// The signals are blocked in the constructing thread, and so in every
/// thread it starts afterwards, and taken by a watcher thread with
/// sigwait: the solver libraries install handlers of their own around some
/// phases, which would otherwise swallow a Ctrl-C. REQUIRES: constructed on
/// the thread that starts the solve's threads, before any of them, and
/// destroyed on the same thread; at most one alive at a time.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  /// The flag the first signal raises; valid while this object lives.
  const std::atomic<bool>& stopRequest() const { return raised_; }
  /// The signal that raised the flag (SIGINT or SIGTERM), 0 while none came.
  int signalNumber() const { return signal_.load(); }

 private:
  void watch();

  sigset_t stopSet_;           // SIGINT and SIGTERM
  sigset_t savedMask_;         // the constructing thread's mask before
  std::atomic<bool> raised_{false};
  std::atomic<int> signal_{0};
  std::atomic<bool> closing_{false};  // set by the destructor before it wakes the watcher
  std::thread watcher_;
};

}  // namespace paralog

#endif  // PARALOG_SOLVER_STOP_SIGNALS_H
