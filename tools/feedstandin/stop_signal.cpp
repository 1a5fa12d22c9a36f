#include "stop_signal.h"

#include <atomic>
#include <csignal>
#include <mutex>

namespace feedstandin {
namespace {

std::atomic<bool> stopFlag{false};
// Set from the signal handler, which may only touch a lock-free atomic.
std::atomic<int> stopSignal{0};
std::mutex reasonLock;
std::string reason;

extern "C" void onStopSignal(int number) { stopSignal = number; }

}  // namespace

void installStopSignals() {
  std::signal(SIGINT, onStopSignal);
  std::signal(SIGTERM, onStopSignal);
}

bool stopRequested() {
  if (const int number = stopSignal.load()) requestStop(number == SIGINT ? "SIGINT" : "SIGTERM");
  return stopFlag.load();
}

void requestStop(const std::string& why) {
  std::lock_guard guard(reasonLock);
  if (reason.empty()) reason = why;
  stopFlag = true;
}

std::string stopReason() {
  std::lock_guard guard(reasonLock);
  return reason;
}

}  // namespace feedstandin
