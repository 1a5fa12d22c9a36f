#pragma once
// Waiting in tests for what another thread or process does: poll the
// condition until it holds or the deadline passes; never a fixed sleep.
#include <chrono>
#include <thread>

namespace tfx::test {

template <typename Condition>
bool eventually(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace tfx::test
