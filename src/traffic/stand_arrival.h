#pragma once
// A live aircraft comes to stand on its stand: at the end of its drive onto
// it, or as its object is created on it.
#include "traffic/traffic_context.h"

namespace tfx {

enum class Arrival {
  Parked,   // it stands on its stand
  Missed,   // more than 2 m away: it taxis again
  Removed,  // another live aircraft parked there meanwhile
};

// The track of an aircraft in "parking" ended.
Arrival arriveAtStand(TrafficContext& context, LiveAircraft& aircraft);

// The object of an aircraft placed on a stand at its spawn was created: a
// static aircraft that took the stand meanwhile goes, and learning sees it.
void parkedAtBirth(TrafficContext& context, LiveAircraft& aircraft);

}  // namespace tfx
