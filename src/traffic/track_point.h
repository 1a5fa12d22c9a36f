#pragma once
// One accepted position report as the track history of a live aircraft keeps it.
#include <cstdint>

#include "realtraffic/traffic_report.h"

namespace tfx {

struct TrackPoint {
  double lat = 0.0;  // degrees
  double lon = 0.0;
  double altitude = 0.0;  // feet, 0 on the ground
  double groundSpeed = 0.0;  // knots
  double track = 0.0;  // degrees
  double verticalSpeed = 0.0;  // feet per minute
  double tas = 0.0;  // knots
  int32_t stamp = 0;  // due cycle: the cycle at which the point is to be reached
  bool airborne = false;
  bool hasRoll = false;
  bool hasTrueHeading = false;
  // At the same place as its neighbour, or the aircraft stands there.
  bool stationary = false;
  double roll = 0.0;  // radians
  double trueHeading = 0.0;  // radians
};

TrackPoint trackPointOf(const TrafficReport& report);

}  // namespace tfx
