#pragma once
// A buffered aircraft whose first point falls due: its last checks, and its
// move to "adding2sim" with a livery, a phase and a first position.
#include "traffic/traffic_context.h"

namespace tfx {

// The buffer handling of one cycle for a record in "buffer".
void handleBuffered(TrafficContext& context, LiveAircraft& aircraft);

void spawnLiveAc(TrafficContext& context, LiveAircraft& aircraft);

}  // namespace tfx
