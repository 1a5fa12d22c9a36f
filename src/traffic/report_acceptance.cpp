#include "traffic/report_acceptance.h"

#include <algorithm>
#include <cmath>

#include "airports/airport.h"

namespace tfx {
namespace {

constexpr double kMinimumGapSeconds = 1.0;
// 450 m and 20 m in nautical miles.
constexpr double kAirborneStepNm = 0.2429805615550756;
constexpr double kGroundStepNm = 0.010799136069114472;
constexpr double kLongestWaitSeconds = 15.0;
constexpr double kNoParkAirportElevation = -1000.0;

// Degrees between two tracks, 0 to 180.
double trackDifference(double a, double b) {
  const double difference = std::fmod(std::fabs(a - b), 360.0);
  return difference > 180.0 ? 360.0 - difference : difference;
}

// Seconds needed to cover the distance at the speed; the wait when standing still.
double secondsFor(double distanceNm, double knots) {
  return knots == 0.0 ? kLongestWaitSeconds : distanceNm / (knots / 3600.0);
}

bool speedJumps(double v, double w) {
  return (w > 5.0 && v >= 10.0 * w) || (v > 5.0 && w >= 10.0 * v) || (w <= 5.0 && v >= 80.0) ||
         (v <= 5.0 && w >= 80.0);
}

}  // namespace

bool reportComesTooSoon(const LiveAircraft& aircraft, const TrafficReport& report) {
  const double dt = report.timestamp - aircraft.lastTimestamp;
  if (dt == 0.0 || dt <= kMinimumGapSeconds) return true;
  const TrackPoint& newest = aircraft.history.back();
  const double v = report.groundSpeed;
  if (speedJumps(v, newest.groundSpeed)) return true;
  if (aircraft.motion.holdCount >= 1) return false;
  const double turn = trackDifference(report.track, newest.track);
  if (report.airborne) return v > 120.0 && turn <= 1.0 && dt <= secondsFor(kAirborneStepNm, v);
  return v <= 30.0 && turn <= 2.0 && dt <= std::min(secondsFor(kGroundStepNm, v), kLongestWaitSeconds);
}

bool inParkAirportBand(double altitude) {
  const double elevation = airports::parkAirportIsSet() ? airports::parkAirport().alt : kNoParkAirportElevation;
  return altitude > 0.0 && altitude < 10000.0 && std::fabs(altitude - elevation) <= 120.0;
}

}  // namespace tfx
