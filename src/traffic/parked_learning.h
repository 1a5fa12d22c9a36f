#pragma once
// Learning which live aircraft stands on which stand at which half-hour of
// the week, while LEARN_SOFT is on and the park airport allows it.
#include "traffic/traffic_context.h"

namespace tfx {

// The aircraft stands on its stand now: once when it arrives or is placed
// there, `continuous` at each later half-hour.
void learnParked(TrafficContext& context, LiveAircraft& aircraft, bool continuous);

// Once a tick: every parked live aircraft not yet recorded in this half-hour is.
void learnParkedEachHalfHour(TrafficContext& context);

}  // namespace tfx
