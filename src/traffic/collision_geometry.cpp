#include "traffic/collision_geometry.h"

#include <cmath>

#include "traffic/motion_math.h"

namespace tfx {

double passingDistanceFt(double distanceNm, double bearingFromUser, double course) {
  const double a = angleDifference(course - bearingFromUser) * kRadToDeg;
  double crossing = 0.0;
  if (a >= 0.0) {
    crossing = a <= 90.0 ? 90.0 - a : a - 90.0;
  } else {
    crossing = a >= -90.0 ? a + 90.0 : -(a + 90.0);
  }
  return distanceNm * kFeetPerNm * std::cos(crossing * kDegToRad);
}

double lateralOffsetFt(double distanceNm, double bearingFromUser, double userHeading) {
  return distanceNm * kFeetPerNm * std::sin(std::fabs(angleDifference(bearingFromUser - userHeading)));
}

}  // namespace tfx
