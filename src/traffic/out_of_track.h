#pragma once
// What a live aircraft does when its track history runs out: it holds on the
// ground, flies on by extrapolated points for a while, or goes.
#include <cstdint>

#include "traffic/traffic_context.h"

namespace tfx {

// The history holds fewer than two points. True when a point was appended
// and motion goes on; false when the aircraft is to be removed.
bool outOfTrack(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle);

// A copy of the newest point, moved on along the shown heading for 3 s on the
// ground or 8 s in the air, appended with the hold count `holdCount`.
void appendExtrapolatedPoint(TrafficContext& context, LiveAircraft& aircraft, int32_t holdCount);

}  // namespace tfx
