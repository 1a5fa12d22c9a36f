#pragma once
// What the main program thread sets on an AI object through client events:
// the event data of the throttle and flaps positions, and the seven lights.
#include <array>
#include <cstdint>

#include "sim/exchange_lists.h"

namespace tfx::sim {

// Event data by throttle index ("THROTTLE_SET"); index 5 means "not set yet".
inline constexpr std::array<uint32_t, 5> kThrottleValues{0, 4914, 8191, 11468, 16383};
// Event data by flaps index ("FLAPS_SET"); index 4 is sent as fully retracted.
inline constexpr std::array<uint32_t, 5> kFlapsValues{0, 3072, 10240, 16383, 0};

struct LightSetting {
  bool navigation = false;
  bool beacon = false;
  bool landing = false;
  bool taxi = false;
  bool strobe = false;
  bool logo = false;
  bool cabin = false;
};

// The seven light events, in their fixed order, in one locked pass.
void setLights(ExchangeLists& exchange, uint32_t objectId, const LightSetting& lights);

}  // namespace tfx::sim
