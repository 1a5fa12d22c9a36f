#pragma once
// Once a tick: the aircraft that stand or fly where the user aircraft is go
// (one a tick), and static aircraft in the way of taxiing live ones go.
#include "traffic/traffic_context.h"

namespace tfx {

// At most one aircraft, live or static, in conflict with the user aircraft
// goes; the list is looked through in order.
void removeNearUser(TrafficContext& context, const UserSnapshot& user);

// With COLLISION_LIVE_PARKED_GND on: each taxiing or parking live aircraft
// on the ground that moved removes the static aircraft it stands in.
void clearStaticsForLive(TrafficContext& context);

}  // namespace tfx
