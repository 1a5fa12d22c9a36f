#pragma once
// The controls the motion sets on a live aircraft's object besides throttle,
// flaps and lights, and the motion's word to the observer.
#include <cstdint>

#include "traffic/traffic_context.h"

namespace tfx {

// "GEAR_SET"; never for a Rotorcraft.
void setGear(TrafficContext& context, const LiveAircraft& aircraft, bool down);
// "SPOILERS_SET" with the event data; never for a Rotorcraft.
void setSpoilers(TrafficContext& context, const LiveAircraft& aircraft, uint32_t data);
void setCabinLights(TrafficContext& context, const LiveAircraft& aircraft, bool on);
void tellMotion(TrafficContext& context, const LiveAircraft& aircraft, MotionEvent::Kind kind, double value = 0.0);

}  // namespace tfx
