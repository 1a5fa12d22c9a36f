#pragma once
// The most aircraft that stand parked at the park airport: too many parked
// live aircraft, or live and static ones together, lose one.
#include "traffic/traffic_context.h"

namespace tfx {

// One live aircraft goes when more parked live aircraft stand than the
// limit allows (not with INITIAL_LOAD_ONLY); one static aircraft goes when
// static and parked live ones together exceed it.
void applyParkingLimits(TrafficContext& context);

}  // namespace tfx
