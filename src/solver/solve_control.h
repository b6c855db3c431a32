#ifndef PARALOG_SOLVER_SOLVE_CONTROL_H
#define PARALOG_SOLVER_SOLVE_CONTROL_H

#include <atomic>
#include <chrono>
#include <optional>

namespace paralog {

/// Why a solve must end before it has proved anything.
enum class StopReason { kTimeLimit, kInterrupted };

/// When a solver run must stop: a wall-clock deadline counted from the
/// moment this object is made (the start of the solve, before the model is
/// handed to the solver), and a stop request raised from outside (by
/// StopSignals, or by a test). Any solver run can use it: the run polls
/// stopReason() from its own threads, and waits with waitUntilStop().
///
/// Thread-safe: every member is const after construction; the stop request
/// is an atomic that the control reads and never writes. The flag, when
/// given, must outlive this object (not owned).
class SolveControl {
 public:
  using Clock = std::chrono::steady_clock;

  /// `limitSeconds`: none for no time limit. `stopRequest`: may be null.
  SolveControl(std::optional<double> limitSeconds, const std::atomic<bool>* stopRequest);

  /// When the time is up; none without a limit.
  std::optional<Clock::time_point> deadline() const { return deadline_; }
  /// Seconds since the start of the solve.
  double elapsedSeconds() const;
  /// Seconds left until the deadline (0 once it passed), none without a limit.
  std::optional<double> secondsLeft() const;
  /// kInterrupted once the stop request is raised (it wins over the
  /// deadline), kTimeLimit once the deadline passed, none before.
  std::optional<StopReason> stopReason() const;

  /// The same control with its deadline `seconds` earlier (not before its
  /// start); unchanged without a limit. For a phase that must leave time
  /// for work after it.
  SolveControl endingEarlier(double seconds) const;

  /// Blocks until `finished` is true or the run must stop, whichever comes
  /// first, looking every `poll` (a signal handler cannot wake a waiting
  /// thread, so the request is polled). Returns the reason to stop, or none
  /// when `finished` came first.
  std::optional<StopReason> waitUntilStop(const std::atomic<bool>& finished,
                                          std::chrono::milliseconds poll) const;

 private:
  Clock::time_point start_;
  std::optional<Clock::time_point> deadline_;
  const std::atomic<bool>* stopRequest_;  // not owned
};

}  // namespace paralog

#endif  // PARALOG_SOLVER_SOLVE_CONTROL_H
