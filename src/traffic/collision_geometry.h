#pragma once
// Distances between the user aircraft and another one as collision
// avoidance measures them, in feet.
#include "core/geodesy.h"

namespace tfx {

inline constexpr double kFeetPerNm = 6076.11549;

// How close an aircraft `distanceNm` away on bearing `bearingFromUser` (from
// the user) passes the user's position when it keeps going along `course`.
double passingDistanceFt(double distanceNm, double bearingFromUser, double course);

// How far the aircraft lies to the side of the line along the user's heading.
double lateralOffsetFt(double distanceNm, double bearingFromUser, double userHeading);

}  // namespace tfx
