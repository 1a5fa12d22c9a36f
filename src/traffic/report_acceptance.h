#pragma once
// The rules that let a report through to an existing record, or not, before
// its identity is looked at.
#include "realtraffic/traffic_report.h"
#include "traffic/live_aircraft.h"

namespace tfx {

// Too soon after the last accepted report, an implausible speed jump, or,
// while no extrapolation runs, nothing new on a steady track.
bool reportComesTooSoon(const LiveAircraft& aircraft, const TrafficReport& report);

// An altitude strictly between 0 and 10000 ft within 120 ft of the park
// airport's elevation: a ground report with a pressure altitude, kept out of
// the buffer.
bool inParkAirportBand(double altitude);

}  // namespace tfx
