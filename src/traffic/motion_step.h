#pragma once
// The motion step of an active live aircraft, made when the cycle reaches
// the due cycle of its oldest point: the next leg of its track is set up.
#include <cstdint>

#include "traffic/traffic_context.h"

namespace tfx {

// The oldest point is due: one step towards the second point, or, when the
// history has run out, the out-of-track rule, which may remove the aircraft.
void nextPosMain(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle);

// The leg from the shown position to the second point (at least two points):
// re-timing in the air, the per-cycle increments, the air leg set-up or the
// take-off entry; the oldest point leaves the history.
void makeOneStep(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle);

}  // namespace tfx
