#pragma once
// The set-up of an air leg of a live aircraft that is not on the ground:
// climb by the kind of leg, pitch, heading, bank, lights and configuration.
#include <cstdint>

#include "traffic/traffic_context.h"

namespace tfx {

// `legCycles`: the cycles to the second point's due cycle (at least 25).
// The history holds at least two points; the second one is not stationary.
void airLegSetUp(TrafficContext& context, LiveAircraft& aircraft, int32_t legCycles);

// The descent rate of an approach (feet per minute): -600 close above the
// ground, else the points' mean corrected for the pressure, at most -601.
double approachRate(const LiveAircraft& aircraft, const TrackPoint& cur, const TrackPoint& nxt);

}  // namespace tfx
