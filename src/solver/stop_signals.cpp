#include "solver/stop_signals.h"

#include <pthread.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>
#include <string>

namespace paralog {

StopSignals::StopSignals() {
  sigemptyset(&stopSet_);
  sigaddset(&stopSet_, SIGINT);
  sigaddset(&stopSet_, SIGTERM);
  const int failure = ::pthread_sigmask(SIG_BLOCK, &stopSet_, &savedMask_);
  if (failure != 0) {
    throw std::runtime_error(std::string("cannot block SIGINT and SIGTERM: ") + std::strerror(failure));
  }
  watcher_ = std::thread([this] { watch(); });
}

StopSignals::~StopSignals() {
  closing_.store(true);
  ::pthread_kill(watcher_.native_handle(), SIGTERM);
  watcher_.join();
  // A signal still pending meets the previous disposition, as it would
  // have without this object.
  ::pthread_sigmask(SIG_SETMASK, &savedMask_, nullptr);
}

void StopSignals::watch() {
  for (;;) {
    int signal = 0;
    if (::sigwait(&stopSet_, &signal) != 0) continue;
    if (closing_.load()) return;
    // The number is set once, before the flag, so that a reader who sees
    // the flag sees which signal raised it.
    int none = 0;
    if (!signal_.compare_exchange_strong(none, signal)) ::_exit(128 + signal);
    raised_.store(true);
  }
}

}  // namespace paralog
