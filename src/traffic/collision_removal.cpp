#include "traffic/collision_removal.h"

#include <algorithm>
#include <cmath>

#include "core/log.h"
#include "core/log_line.h"
#include "core/parameters.h"
#include "traffic/collision_geometry.h"
#include "traffic/motion_math.h"
#include "traffic/removal.h"
#include "traffic/static_objects.h"

namespace tfx {
namespace {

constexpr double kLowUserFt = 500.0;
constexpr double kRunwayNm = 1.0;
constexpr double kRunwayOffsetFt = 50.0;
constexpr double kAirNm = 4.0;
constexpr double kAirBandFt = 1000.0;
constexpr double kAirPassingFt = 700.0;
constexpr double kUserLiveMargin = 1.15;
constexpr double kStaticMargin = 1.1;
constexpr double kMinutesPerDegree = 60.0;
// No aircraft spans more than 90 m.
constexpr double kLargestHalfSpanNm = 0.0243;

void removeLive(TrafficContext& context, LiveAircraft& aircraft, std::string_view kind, double distanceNm) {
  context.links.observer.collision(aircraft.hexid, kind, "user", distanceNm * kMetersPerNm);
  removeAircraftFromSim(context, aircraft, "collision-user");
}

bool removeInAir(TrafficContext& context, const UserSnapshot& user) {
  for (LiveAircraft& aircraft : context.state.liveList) {
    if (aircraft.state != SimState::Active) continue;
    const LatLon shown = positionOf(aircraft.block);
    const double distanceNm = gf_distanceNm(user.position, shown);
    const double bearing = gf_bearingRad(user.position, shown);
    if (aircraft.onGroundConfirmed && user.aboveGroundFt < kLowUserFt && distanceNm <= kRunwayNm &&
        lateralOffsetFt(distanceNm, bearing, user.heading) <= kRunwayOffsetFt) {
      removeLive(context, aircraft, "user-runway", distanceNm);
      return true;
    }
    if (distanceNm <= kAirNm && std::fabs(aircraft.block.altitude - user.altitude) < kAirBandFt &&
        passingDistanceFt(distanceNm, bearing, aircraft.block.heading) <= kAirPassingFt) {
      removeLive(context, aircraft, "user-air", distanceNm);
      return true;
    }
  }
  return false;
}

bool removeOnGround(TrafficContext& context, const UserSnapshot& user) {
  TrafficState& state = context.state;
  for (LiveAircraft& aircraft : state.liveList) {
    if (aircraft.state != SimState::Active || !aircraft.onGroundConfirmed) continue;
    const double distanceNm = gf_distanceNm(user.position, positionOf(aircraft.block));
    if (distanceNm <= kUserLiveMargin * (user.halfWingspanNm + aircraft.halfWingspan)) {
      removeLive(context, aircraft, "user-ground", distanceNm);
      return true;
    }
  }
  const LatLon last = state.lastUserPosition;
  if (samePlace(user.position.lat, user.position.lon, last.lat, last.lon)) return false;
  for (const StaticRecord& record : state.staticRecords) {
    if (!record.active || record.removing) continue;
    const double distanceNm = gf_distanceNm(user.position, record.aircraft.position);
    if (distanceNm <= kStaticMargin * (user.halfWingspanNm + record.aircraft.halfWingspanNm)) {
      context.links.observer.collision(record.aircraft.hexid, "user-static", "user", distanceNm * kMetersPerNm);
      removeStaticAircraft(context, record.aircraft.hexid, "collision-user");
      return true;
    }
  }
  return false;
}

bool movedSinceCheck(LiveAircraft& aircraft) {
  const LatLon& checked = aircraft.lastParkedCheck;
  if (samePlace(aircraft.block.lat, aircraft.block.lon, checked.lat, checked.lon)) return false;
  aircraft.lastParkedCheck = positionOf(aircraft.block);
  return true;
}

// The static aircraft that stand within `reach` of the live one's latitude,
// found in the latitude index, go when they stand in it.
void clearAround(TrafficContext& context, const LiveAircraft& aircraft) {
  TrafficState& state = context.state;
  const auto& index = state.staticsByLatitude;
  // A minute of latitude is a nautical mile and no distance is shorter.
  const double reachDegrees = kStaticMargin * (aircraft.halfWingspan + kLargestHalfSpanNm) / kMinutesPerDegree;
  auto entry = std::lower_bound(index.begin(), index.end(), std::pair{aircraft.block.lat - reachDegrees, size_t{0}});
  const double reachLonDegrees = reachDegrees / std::max(0.01, std::cos(aircraft.block.lat * kDegToRad));
  for (; entry != index.end() && entry->first <= aircraft.block.lat + reachDegrees; ++entry) {
    const StaticRecord& record = state.staticRecords[entry->second];
    if (!record.active || record.removing) continue;
    if (std::fabs(std::remainder(record.aircraft.position.lon - aircraft.block.lon, 360.0)) > reachLonDegrees) continue;
    const double distanceNm = gf_distanceNm(positionOf(aircraft.block), record.aircraft.position);
    if (distanceNm >= kStaticMargin * (aircraft.halfWingspan + record.aircraft.halfWingspanNm)) continue;
    if (LOG.value()) {
      writeLogLine("{:8}: {:8} removed for collision avoidance with static {}", record.aircraft.standIndex,
                   record.aircraft.callsign, aircraft.callsign);
    }
    context.links.observer.collision(record.aircraft.hexid, "live-static", aircraft.callsign,
                                     distanceNm * kMetersPerNm);
    // Marked, not erased: created aircraft leave the list when the simulator removed them.
    removeStaticAircraft(context, record.aircraft.hexid, "collision-static");
  }
}

void indexStaticsByLatitude(TrafficState& state) {
  auto& index = state.staticsByLatitude;
  index.clear();
  for (size_t i = 0; i < state.staticRecords.size(); ++i)
    if (state.staticRecords[i].active) index.emplace_back(state.staticRecords[i].aircraft.position.lat, i);
  std::sort(index.begin(), index.end());
}

}  // namespace

void removeNearUser(TrafficContext& context, const UserSnapshot& user) {
  if (!user.known) return;
  if (!user.onGround) {
    if (COLLISION_USER_AIR.value()) removeInAir(context, user);
  } else if (COLLISION_USER_GND.value()) {
    removeOnGround(context, user);
  }
  context.state.lastUserPosition = user.position;
}

void clearStaticsForLive(TrafficContext& context) {
  if (!COLLISION_LIVE_PARKED_GND.value() || context.state.staticRecords.empty()) return;
  indexStaticsByLatitude(context.state);
  for (LiveAircraft& aircraft : context.state.liveList) {
    if (aircraft.state != SimState::Active || !aircraft.onGroundConfirmed) continue;
    if (aircraft.phase != FlightPhase::Taxi && aircraft.phase != FlightPhase::Parking) continue;
    if (movedSinceCheck(aircraft)) clearAround(context, aircraft);
  }
}

}  // namespace tfx
