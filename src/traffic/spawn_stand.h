#pragma once
// The stand a live aircraft that appears on the ground starts on.
#include "airports/stand.h"
#include "traffic/traffic_context.h"

namespace tfx {

// The stand for the aircraft at its spawn, or null: none is near, or the
// aircraft is dropped because it may not stand there (then `drop` is set).
// With a stand the static aircraft on it made way and the first point is
// marked stationary.
const airports::Stand* standAtSpawn(TrafficContext& context, LiveAircraft& aircraft, bool& drop);

}  // namespace tfx
