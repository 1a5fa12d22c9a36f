#pragma once
// The curve a live aircraft follows on the ground through a turn: a
// quadratic Bézier curve from its shown position over a control point to an
// end point, in a flat frame around the start.
#include <cstdint>

#include "traffic/live_aircraft.h"

namespace tfx {

// The curve from `start` over `control` to `end`, run through in `cycles`
// cycles (at least one), so that the end is reached at its due cycle.
GroundCurve makeGroundCurve(const LatLon& start, const LatLon& control, const LatLon& end, int32_t cycles);

LatLon curvePoint(const GroundCurve& curve, double parameter);
// The way along the curve at the parameter, radians in [0, 2 pi).
double curveDirection(const GroundCurve& curve, double parameter);

// The aircraft's leg follows the curve from its start.
void startCurve(LiveAircraft& aircraft, const GroundCurve& curve);

// One cycle along the curve: the parameter moves on, the aircraft stands at
// the curve's point and turns towards its direction (the other way round
// while it is pushed). False when the curve cannot be evaluated.
bool followCurve(LiveAircraft& aircraft);

}  // namespace tfx
