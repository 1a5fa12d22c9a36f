#pragma once
// A report of an unknown hexid becomes a new record in the buffer, when its
// type is known and its category is shown.
#include "aircraft/aircraft_category.h"
#include "realtraffic/traffic_report.h"
#include "traffic/traffic_context.h"

namespace tfx {

// Appends the record to the liveList; false when the report is ignored.
bool makeAircraft(TrafficContext& context, const TrafficReport& report);

// The settings show the category (light aircraft, high performance, rotorcraft).
bool categoryShown(AircraftCategory category);

}  // namespace tfx
