#pragma once
// The due cycle of an airborne aircraft's next point, set anew from the
// distance and the speeds so that the shown aircraft flies at the real speed.
#include <cstdint>

#include "traffic/live_aircraft.h"

namespace tfx {

// Re-times the second point of the history (at least two points) when it is
// not stationary; never before `cycle`.
void retimeAirLeg(LiveAircraft& aircraft, int32_t cycle);

}  // namespace tfx
