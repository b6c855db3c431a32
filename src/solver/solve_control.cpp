#include "solver/solve_control.h"

#include <algorithm>
#include <thread>

namespace paralog {

SolveControl::SolveControl(std::optional<double> limitSeconds, const std::atomic<bool>* stopRequest)
    : start_(Clock::now()), stopRequest_(stopRequest) {
  if (limitSeconds) {
    deadline_ = start_ + std::chrono::duration_cast<Clock::duration>(
                             std::chrono::duration<double>(*limitSeconds));
  }
}

SolveControl SolveControl::endingEarlier(double seconds) const {
  SolveControl earlier = *this;
  if (deadline_) {
    const auto shift = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    earlier.deadline_ = std::max(start_, *deadline_ - shift);
  }
  return earlier;
}

double SolveControl::elapsedSeconds() const {
  return std::chrono::duration<double>(Clock::now() - start_).count();
}

std::optional<double> SolveControl::secondsLeft() const {
  if (!deadline_) return std::nullopt;
  return std::max(0.0, std::chrono::duration<double>(*deadline_ - Clock::now()).count());
}

std::optional<StopReason> SolveControl::stopReason() const {
  if (stopRequest_ != nullptr && stopRequest_->load()) return StopReason::kInterrupted;
  if (deadline_ && Clock::now() >= *deadline_) return StopReason::kTimeLimit;
  return std::nullopt;
}

std::optional<StopReason> SolveControl::waitUntilStop(const std::atomic<bool>& finished,
                                                      std::chrono::milliseconds poll) const {
  for (;;) {
    if (finished.load()) return std::nullopt;
    if (std::optional<StopReason> reason = stopReason()) return reason;
    Clock::duration nap = poll;
    if (deadline_) nap = std::min(nap, std::max(Clock::duration::zero(), *deadline_ - Clock::now()));
    std::this_thread::sleep_for(nap);
  }
}

}  // namespace paralog
