#pragma once
// Approach and landing of a live aircraft near the park airport: the
// configuration when an air leg starts, the flare close above the ground and
// the touchdown when the simulator reports ground contact.
#include "traffic/traffic_context.h"

namespace tfx {

// The approach configuration of an air leg below the category's configuration
// height: starts a landing when the aircraft descends near the park airport,
// cleans up when it climbs away or leaves the airport.
void approachConfiguration(TrafficContext& context, LiveAircraft& aircraft);

// Once per cycle while landing, above the ground and 400 ft or less above it:
// the descent slows in four stages from CG height + 30 ft down.
void flareStep(TrafficContext& context, LiveAircraft& aircraft);

// The first on-ground report of the simulator during a landing.
void touchdown(TrafficContext& context, LiveAircraft& aircraft);

}  // namespace tfx
