#include "platform/termination_signals.h"

#include <pthread.h>
#include <signal.h>

#include <ctime>

namespace tfx::platform {
namespace {

sigset_t terminationSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  return signals;
}

}  // namespace

void blockTerminationSignals() {
  const sigset_t signals = terminationSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

TerminationSignalWatcher::TerminationSignalWatcher(std::function<void()> onSignal)
    : onSignal_(std::move(onSignal)), thread_([this] { watch(); }) {}

TerminationSignalWatcher::~TerminationSignalWatcher() {
  stop_ = true;
  thread_.join();
}

void TerminationSignalWatcher::watch() {
  const sigset_t signals = terminationSignals();
  // A short wait lets the watcher notice that it should end.
  const timespec pollInterval{0, 100'000'000};
  while (!stop_) {
    if (sigtimedwait(&signals, nullptr, &pollInterval) > 0) onSignal_();
  }
}

}  // namespace tfx::platform
