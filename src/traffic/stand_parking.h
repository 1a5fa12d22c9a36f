#pragma once
// A taxiing live aircraft that comes to a halt near a stand drives onto it.
#include "traffic/traffic_context.h"

namespace tfx {

// Searches a stand within 55 m (`wide`) or 20 m of the newest point; with
// one the aircraft clears it of other aircraft and drives onto it (phase
// "parking"). True when it does.
bool try2Park(TrafficContext& context, LiveAircraft& aircraft, bool wide);

// The history after its oldest point becomes the drive onto the aircraft's
// stand at its manoeuvring speed, at least one second, and a stop there.
void drive2Stand(LiveAircraft& aircraft);

}  // namespace tfx
