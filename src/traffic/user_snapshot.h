#pragma once
// The user aircraft as collision avoidance looks at it once a tick.
#include "core/geodesy.h"

namespace tfx {

struct UserSnapshot {
  bool known = false;  // nothing is held or removed for an unknown user aircraft
  LatLon position;
  double heading = 0.0;  // radians
  double altitude = 0.0;  // feet
  double aboveGroundFt = 0.0;
  double groundSpeed = 0.0;  // knots
  bool onGround = false;
  double halfWingspanNm = 0.0;
};

}  // namespace tfx
