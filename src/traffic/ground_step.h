#pragma once
// The ground movement of an on-ground-confirmed live aircraft at its motion
// step: push-back progress, leaving the stand, the manner of the next leg
// (straight, curve, slow sharp turn, acceleration) and the try to park.
#include <cstdint>

#include "traffic/traffic_context.h"

namespace tfx {

// Runs before the leg to the second point is set up; may rewrite the
// history, which then still holds at least two points.
void groundMovement(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle);

// After the leg's increments: the heading error against the predicted
// track, its flag beyond 3 degrees, and the ground turn rate.
void followTrackOnGround(LiveAircraft& aircraft);

// Cycles to drive `distanceNm` at `knots`.
int32_t travelCycles(double distanceNm, double knots);

}  // namespace tfx
