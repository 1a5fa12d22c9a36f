#pragma once
// Whether a report still describes the flight a record shows, and what the
// record takes from it.
#include "realtraffic/traffic_report.h"
#include "traffic/traffic_context.h"

namespace tfx {

// False when the report is to be dropped (a ghost whose real flight is
// present, or a change that makes the aircraft come back with another livery).
bool passesIdentityCheck(TrafficContext& context, LiveAircraft& aircraft, const TrafficReport& report);

// The record takes a new callsign; the coupled flight is searched anew.
void renameAircraft(LiveAircraft& aircraft, const std::string& callsign);

}  // namespace tfx
