#pragma once
// Waiting in tests for what another thread or process does: poll the
// condition until it holds or the deadline passes; never a fixed sleep.
#include <chrono>
#include <thread>

namespace tfx::test {

// A program built with a sanitizer runs several times slower than the debug
// build the deadlines are made for; the deadlines stretch with it.
#if defined(__SANITIZE_THREAD__)
inline constexpr int kSanitizerSlowdown = 6;
#elif defined(__SANITIZE_ADDRESS__)
inline constexpr int kSanitizerSlowdown = 3;
#else
inline constexpr int kSanitizerSlowdown = 1;
#endif

template <typename Condition>
bool eventually(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout * kSanitizerSlowdown;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace tfx::test
