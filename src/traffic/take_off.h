#pragma once
// The take-off of a live aircraft: the check of each new report on the
// ground, the entry into phase "take_off" and the roll, rotation and first
// climb cycle by cycle.
#include <cstdint>

#include "traffic/traffic_context.h"

namespace tfx {

// Before a report of an active, on-ground-confirmed aircraft is taken: a fast
// ground report or an airborne one in "taxi" starts the take-off roll; an
// airborne report during the rollout is a go-around.
void takeOffCheck(TrafficContext& context, LiveAircraft& aircraft, const TrackPoint& report);

// The take-off roll starts: take-off flag, throttle, spoilers, flaps, lights.
void startTakeOff(TrafficContext& context, LiveAircraft& aircraft);

// In the ground step, `legCycles` being the cycles to the next point: the
// aircraft rotates when every point ahead climbs or flies fast enough.
void takeOffEntry(TrafficContext& context, LiveAircraft& aircraft, int32_t legCycles);

// Each cycle in "take_off": rotation, lift-off and the first climb.
void takeOffRollStep(TrafficContext& context, LiveAircraft& aircraft);

// The share of the climb per cycle applied at this take-off counter: none
// until lift-off, then a tenth, a fifth and a half in the first three seconds.
double liftOffClimbFactor(int32_t takeOffCounter);

}  // namespace tfx
