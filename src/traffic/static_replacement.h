#pragma once
// Live aircraft take the place of the static parked aircraft that stand for
// them: a static aircraft with a live aircraft's registration, or of its
// flight or the flight the same aircraft flies around this time, goes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "airports/day_half_hour.h"
#include "airports/stand.h"
#include "traffic/traffic_context.h"

namespace tfx {

// The flight that the aircraft flying `callsign` flies around this time at
// the park airport, from its stands' use: an option of that callsign gives
// its note, an option whose note is that callsign gives its callsign. Empty
// when no stand knows one.
std::string lf_searchForCoupledCsAroundThisTime(const std::vector<airports::Stand>& stands,
                                                airports::DayHalfHour now, std::string_view callsign);

// Each tick: the oldest aircraft of the static-check list is compared with the
// active static aircraft, and the first that is the same aircraft or flight goes.
void replaceStaticForCheckedLive(TrafficContext& context);

// Every 61st tick: for each live aircraft on the ground, the first active
// static aircraft whose callsign is the live one with "*" after it, or whose
// registration is the live one, goes.
void replaceStarredStatics(TrafficContext& context);

}  // namespace tfx
