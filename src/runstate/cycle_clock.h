#pragma once
// The cycle number: the signed 32-bit count of traffic cycles of 10 ms. The
// main program thread advances it; the feed readers stamp reports with it.
#include <atomic>
#include <cstdint>

namespace tfx {

inline constexpr int32_t kCyclesPerSecond = 100;

inline std::atomic<int32_t>& cycleNumber() {
  static std::atomic<int32_t> number{0};
  return number;
}

}  // namespace tfx
