#pragma once
// A parked live aircraft leaves its stand: it pulls out forward or is pushed
// back, turning at the end of the push when its reports tell which way.
#include <cstdint>

#include "traffic/traffic_context.h"

namespace tfx {

// Push-back turn rate of the aircraft's category, degrees per cycle.
double pushBackTurnRate(const LiveAircraft& aircraft);

// Reports of a parked aircraft: near its stand they are refused; one that
// moved away is taken and tells the aircraft to leave at its next step.
bool takeParkedReport(LiveAircraft& aircraft, TrackPoint point);
// Reports while pushing back only decide the turn, never while
// STRAIGHT_PBS_ONLY is on; they are refused.
void decidePushBackTurn(LiveAircraft& aircraft, const TrackPoint& point);
// Reports after the push-back: refused until they lie clearly away from the
// aircraft; then it taxis again and its stand data go.
bool takePushedBackReport(TrafficContext& context, LiveAircraft& aircraft, TrackPoint point);

// The aircraft was told to leave: forward when its reports lie ahead of the
// stand (less than 90 degrees off the stand heading), else pushed back.
void leaveStand(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle);

// Each motion step while pushing back: the turn at the first target, the
// push-back's end at the second.
void pushBackProgress(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle);

}  // namespace tfx
