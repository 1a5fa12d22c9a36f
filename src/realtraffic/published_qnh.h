#pragma once
// The sea-level pressure setting (hPa) of the weather feed, published for the
// altitude handling, the static parking and the status area ("qnh: {:4}").
#include <atomic>
#include <cstdint>

namespace tfx {

inline constexpr int32_t kStandardQnh = 1013;

std::atomic<int32_t>& publishedQnh();

}  // namespace tfx
