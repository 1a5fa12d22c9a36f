#pragma once
// Learning from live traffic: which aircraft stands on which stand at which
// half-hour of the week.
#include <cstdint>
#include <string>

#include "airports/day_half_hour.h"
#include "airports/park_stands.h"

namespace tfx::airports {

// A live aircraft seen parked on a stand.
struct ParkedSighting {
  uint32_t objectId = 0;  // the simulator object
  std::string registration;
  std::string callsign;
  std::string airline;
  std::string type;
};

// Records the sighting on the stand numbered standIndex at this day and
// half-hour. `continuous`: the aircraft is known to have stood there since it
// was last seen. Returns whether an option was added or extended (counted as
// one update); nothing is learned when the stand file already knows the
// aircraft on this day at other half-hours.
bool lt_addStandOption(ParkStands& park, int standIndex, const ParkedSighting& aircraft, const DayHalfHour& when,
                       bool continuous);

}  // namespace tfx::airports
