#pragma once
// What the window's handlers ask of the main program thread, and what that
// thread tells the handlers back: single values, each an atomic, because the
// two threads meet nowhere else.
#include <atomic>
#include <cstdint>

namespace tfx::ui {

struct WindowRequests {
  // Set by the handlers, taken (test-and-clear) by the main program thread.
  std::atomic<bool> reread{false};
  std::atomic<bool> flush{false};
  std::atomic<bool> parkingUpdate{false};
  std::atomic<bool> navLights{false};
  std::atomic<bool> destination{false};

  // The RANGE value the user chose by hand, restored when the automatic radius is switched off.
  std::atomic<int32_t> manualRadius{40};

  // Written by the main program thread.
  std::atomic<int32_t> tickCounter{0};
  std::atomic<bool> staticParkingActive{false};

  static bool take(std::atomic<bool>& request) { return request.exchange(false); }
};

}  // namespace tfx::ui
