#pragma once
// Merging an accepted report into the track history of an existing record.
#include "realtraffic/traffic_report.h"
#include "traffic/traffic_context.h"

namespace tfx {

// Points more than this make the history too long to follow.
inline constexpr size_t kMaxHistoryPoints = 200;

void decodeExisting(TrafficContext& context, LiveAircraft& aircraft, const TrafficReport& report);

// The rule for a record before its first placement, also what an aircraft
// that neither lands nor extrapolates does with a report: a point at the
// same place is marked stationary or refused, a point that moved is taken.
// True when the point was appended.
bool appendUnlessStationaryNoise(LiveAircraft& aircraft, TrackPoint point);

// Appends the point, due at least one cycle after the newest one.
void appendDue(LiveAircraft& aircraft, TrackPoint point);

}  // namespace tfx
