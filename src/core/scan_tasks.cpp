#include "core/scan_tasks.h"

#include <algorithm>

namespace tfx {
namespace {

std::atomic<int>& hardwareThreads() {
  static std::atomic<int> count{std::max(1, static_cast<int>(std::thread::hardware_concurrency()))};
  return count;
}

}  // namespace

int scanTaskLimit() { return hardwareThreads().load(); }

void noteHardwareThreads() { hardwareThreads() = std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

std::atomic<int>& runningScanTasks() {
  static std::atomic<int> running{0};
  return running;
}

}  // namespace tfx
