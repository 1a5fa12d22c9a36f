#include "traffic/air_retiming.h"

#include <algorithm>
#include <cmath>

#include "traffic/motion_math.h"

namespace tfx {
namespace {

constexpr double kCyclesPerHour = 360000.0;
constexpr double kLandingDefaultKnots = 100.0;
// Longer legs are flown in this many cycles (a day); keeps absurd reports in range.
constexpr double kMostLegCycles = 8640000.0;

double legKnots(const LiveAircraft& aircraft, const TrackPoint& cur, const TrackPoint& nxt, double distanceNm) {
  if (aircraft.motion.landing && !nxt.airborne) return cur.groundSpeed > 0.0 ? cur.groundSpeed : kLandingDefaultKnots;
  if (cur.groundSpeed == 0.0 && nxt.groundSpeed == 0.0) {
    const double scheduled = std::max<double>(kLeastLegCycles, static_cast<double>(nxt.stamp) - cur.stamp);
    return std::max(1.0, distanceNm * kCyclesPerHour / scheduled);
  }
  return (cur.groundSpeed + nxt.groundSpeed) / 2.0;
}

}  // namespace

void retimeAirLeg(LiveAircraft& aircraft, int32_t cycle) {
  const TrackPoint& cur = aircraft.history[0];
  TrackPoint& nxt = aircraft.history[1];
  if (nxt.stationary) return;
  const double distanceNm = gf_distanceNm(positionOf(cur), positionOf(nxt));
  const double knots = legKnots(aircraft, cur, nxt, distanceNm);
  double travel = knots > 0.0 ? std::round(distanceNm * kCyclesPerHour / knots) : kMostLegCycles;
  if (!(travel <= kMostLegCycles)) travel = kMostLegCycles;
  int64_t due = static_cast<int64_t>(cycle) + std::max<int64_t>(static_cast<int64_t>(travel), kLeastLegCycles);
  if (aircraft.motion.holdCount == 0) {
    due = std::clamp<int64_t>(due, static_cast<int64_t>(nxt.stamp) - aircraft.motion.earlyTolerance,
                              static_cast<int64_t>(nxt.stamp) + aircraft.motion.lateTolerance);
  }
  nxt.stamp = static_cast<int32_t>(std::clamp<int64_t>(due, cycle, INT32_MAX));
}

}  // namespace tfx
