#pragma once
// The per-cycle step of an active live aircraft: its shown position,
// heading, attitude and altitude move on by the values of the current leg.
#include "traffic/traffic_context.h"

namespace tfx {

void movePerCycle(TrafficContext& context, LiveAircraft& aircraft);

}  // namespace tfx
