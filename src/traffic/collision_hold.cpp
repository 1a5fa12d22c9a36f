#include "traffic/collision_hold.h"

#include <cmath>

#include "core/parameters.h"
#include "traffic/collision_geometry.h"
#include "traffic/motion_math.h"

namespace tfx {
namespace {

constexpr double kSlowKnots = 8.0;
constexpr double kClearOfUserM = 500.0;
constexpr double kGroundHoldNm = 0.08099352051835854;  // 150 m
constexpr double kAirHoldNm = 6.0;
constexpr double kAirHoldBandFt = 3000.0;
constexpr double kAirHoldPassingFt = 4000.0;
constexpr double kRunwayHoldNm = 1.5;
constexpr double kRunwayHoldAglFt = 1000.0;
constexpr double kRunwayHoldOffsetFt = 500.0;

// The user taxis: a held aircraft waits until the user is slow and it is
// slow and clear; a new one is held only near the user.
bool holdsOnGround(const UserSnapshot& user, const LiveAircraft& aircraft, const TrackPoint& oldest) {
  const double distanceNm = gf_distanceNm(user.position, positionOf(oldest));
  if (aircraft.userCollisionWait) {
    if (user.groundSpeed > kSlowKnots) return true;
    if (!oldest.airborne && (oldest.groundSpeed > kSlowKnots || distanceNm * kMetersPerNm < kClearOfUserM))
      return true;
  }
  if (oldest.airborne || !COLLISION_USER_GND.value()) return false;
  return distanceNm <= kGroundHoldNm;
}

bool holdsInAir(const UserSnapshot& user, const LiveAircraft& aircraft, const TrackPoint& oldest) {
  if (oldest.airborne) {
    const double distanceNm = gf_distanceNm(user.position, positionOf(oldest));
    const double bearing = gf_bearingRad(user.position, positionOf(oldest));
    if (distanceNm <= kAirHoldNm && std::fabs(oldest.altitude - user.altitude) < kAirHoldBandFt &&
        passingDistanceFt(distanceNm, bearing, aircraft.predictedTrack) <= kAirHoldPassingFt)
      return true;
  } else {
    // A record never shown yet is measured where it will appear.
    const bool placed = aircraft.block.lat != 0.0 || aircraft.block.lon != 0.0;
    const LatLon shown = placed ? positionOf(aircraft.block) : positionOf(oldest);
    const double distanceNm = gf_distanceNm(user.position, shown);
    if (distanceNm <= kRunwayHoldNm && user.aboveGroundFt < kRunwayHoldAglFt &&
        lateralOffsetFt(distanceNm, gf_bearingRad(user.position, shown), user.heading) <= kRunwayHoldOffsetFt)
      return true;
  }
  return aircraft.userCollisionWait;
}

}  // namespace

bool holdBackForUser(const UserSnapshot& user, LiveAircraft& aircraft) {
  if (!user.known || aircraft.history.empty()) return false;
  const TrackPoint& oldest = aircraft.history.front();
  bool hold = false;
  if (user.onGround) {
    hold = holdsOnGround(user, aircraft, oldest);
  } else if (COLLISION_USER_AIR.value()) {
    hold = holdsInAir(user, aircraft, oldest);
  }
  if (!hold) return false;
  aircraft.history.pop_front();
  aircraft.userCollisionWait = true;
  return true;
}

}  // namespace tfx
