#pragma once
// SIGINT and SIGTERM act as the window's close button: they are blocked in
// every thread and received by one watcher thread, which reports them.
#include <atomic>
#include <functional>
#include <thread>

namespace tfx::platform {

// Call before any other thread starts, so every thread inherits the mask.
void blockTerminationSignals();

class TerminationSignalWatcher {
 public:
  explicit TerminationSignalWatcher(std::function<void()> onSignal);
  ~TerminationSignalWatcher();
  TerminationSignalWatcher(const TerminationSignalWatcher&) = delete;
  TerminationSignalWatcher& operator=(const TerminationSignalWatcher&) = delete;

 private:
  void watch();

  std::function<void()> onSignal_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace tfx::platform
