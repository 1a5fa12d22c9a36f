#include "traffic/out_of_track.h"

#include <algorithm>

#include "core/parameters.h"
#include "sim/user_state.h"
#include "traffic/collision_geometry.h"
#include "traffic/motion_controls.h"
#include "traffic/motion_math.h"
#include "traffic/new_aircraft.h"
#include "traffic/stand_arrival.h"

namespace tfx {
namespace {

constexpr int32_t kAirborneHolds = 8;
constexpr int32_t kGroundHolds = 10;
constexpr int32_t kStandHoldCycles = 300;
constexpr double kCyclesPerMinute = 6000.0;
constexpr double kRangeMarginNm = 0.5;
constexpr double kNeighbourSpan = 1.2;
constexpr int32_t kWeekCycles = 604800 * 100;

bool taxiingNeighbour(TrafficContext& context, const LiveAircraft& aircraft) {
  for (const LiveAircraft& other : context.state.liveList) {
    if (&other == &aircraft || other.state != SimState::Active || !other.onGroundConfirmed) continue;
    if (other.phase != FlightPhase::Taxi) continue;
    const double reach = kNeighbourSpan * (aircraft.halfWingspan + other.halfWingspan);
    if (gf_distanceNm(positionOf(aircraft.block), positionOf(other.block)) <= reach) return true;
  }
  return false;
}

// The taxiing aircraft stands still and waits for reports, for a while.
bool holdOnGround(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle) {
  if (taxiingNeighbour(context, aircraft)) {
    aircraft.distanceWatch = false;
    return false;
  }
  if (aircraft.distanceWatch && (cycle - static_cast<int32_t>(aircraft.distanceWatchStart)) / kCyclesPerMinute >
                                    MAX_HOLDING_MINUTES.value())
    return false;
  if (!aircraft.distanceWatch) {
    aircraft.distanceWatch = true;
    aircraft.distanceWatchStart = static_cast<uint32_t>(cycle);
  }
  TrackPoint copy = aircraft.history.front();
  copy.stationary = true;
  copy.stamp += kStandHoldCycles;
  aircraft.history.push_back(copy);
  aircraft.motion.holdCount = 1;
  tellMotion(context, aircraft, MotionEvent::Kind::Hold, 1);
  return true;
}

bool withinUserRange(TrafficContext& context, const LiveAircraft& aircraft) {
  const LatLon user = context.simulator.userPosition();
  if (!sim::positionKnown(user.lat, user.lon)) return true;
  return gf_distanceNm(user, positionOf(aircraft.block)) < trafficRadius().nm.load() - kRangeMarginNm;
}

double extrapolatedKnots(const LiveAircraft& aircraft, TrackPoint& copy, int32_t holdCount) {
  const double v = copy.groundSpeed;
  const MotionValues& m = aircraft.motion;
  if (!aircraft.onGroundConfirmed) {
    if (!m.landing) return std::max(1.0, v * 0.95);
    if (holdCount >= 4) return std::max(1.0, v * 0.9);
    return v;
  }
  if (m.rollout) {
    copy.verticalSpeed = 0.0;
    return v >= 140.0 ? 100.0 : v >= 100.0 ? 80.0 : v >= 80.0 ? 60.0 : v >= 60.0 ? 30.0 : 20.0;
  }
  // Taking off: faster with each point, climbing from 140 knots on.
  if (v <= 30.0) return 40.0;
  if (v <= 60.0) return 80.0;
  if (v <= 100.0) return 110.0;
  copy.verticalSpeed = v <= 140.0 ? 600.0 : v <= 160.0 ? 1200.0 : 2400.0;
  return v <= 140.0 ? 150.0 : v <= 160.0 ? 170.0 : 180.0;
}

void moveCopy(const LiveAircraft& aircraft, const TrackPoint& newest, TrackPoint& copy, int32_t holdCount,
              double seconds) {
  copy.groundSpeed = extrapolatedKnots(aircraft, copy, holdCount);
  const double feet = seconds * 100.0 * copy.groundSpeed * kFeetPerNm / 360000.0;
  const LatLon moved = gf_destinationPoint(positionOf(newest), aircraft.block.heading, feet);
  copy.lat = moved.lat;
  copy.lon = moved.lon;
  copy.stationary = samePlace(copy, newest);
  if (aircraft.motion.landing && aircraft.motion.approachStage == 0) {
    copy.verticalSpeed = -667.0;
    copy.altitude -= seconds * 10.005;
  } else if (aircraft.phase == FlightPhase::TakeOff) {
    copy.verticalSpeed = 1500.0;
    copy.altitude += seconds * 25.0;
  }
  copy.airborne = copy.altitude > 0.0;
  if (!copy.airborne) copy.altitude = 0.0;
}

}  // namespace

void appendExtrapolatedPoint(TrafficContext& context, LiveAircraft& aircraft, int32_t holdCount) {
  const TrackPoint& newest = aircraft.history.back();
  TrackPoint copy = newest;
  const double seconds = aircraft.onGroundConfirmed ? 3.0 : 8.0;
  const bool parked = aircraft.phase == FlightPhase::Parked;
  const bool standing = aircraft.onGroundConfirmed && !aircraft.motion.rollout && !aircraft.motion.takingOff;
  if (newest.stationary || parked || standing) {
    copy.stationary = true;
    copy.groundSpeed = 0.0;
  } else {
    moveCopy(aircraft, newest, copy, holdCount, seconds);
  }
  const int64_t due = static_cast<int64_t>(newest.stamp) + static_cast<int64_t>(seconds * 100.0) +
                      (parked ? kWeekCycles : 0);
  copy.stamp = static_cast<int32_t>(std::min<int64_t>(due, INT32_MAX));
  aircraft.history.push_back(copy);
  aircraft.motion.holdCount = holdCount;
  tellMotion(context, aircraft, MotionEvent::Kind::Hold, holdCount);
}

bool outOfTrack(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle) {
  if (aircraft.history.empty()) return false;
  MotionValues& m = aircraft.motion;
  if (aircraft.phase == FlightPhase::Parking && arriveAtStand(context, aircraft) == Arrival::Removed) return false;
  if (aircraft.phase == FlightPhase::PushedBack ||
      (aircraft.phase == FlightPhase::Taxi && !m.takingOff && !m.rollout))
    return holdOnGround(context, aircraft, cycle);
  if (m.holdCount == -1) return false;
  if (m.holdCount == 1) {
    m.holdCount = -1;
    return false;
  }
  if (m.holdCount > 1) {
    appendExtrapolatedPoint(context, aircraft, m.holdCount - 1);
    return true;
  }
  if (m.holdCount != 0 || !categoryShown(static_cast<AircraftCategory>(aircraft.category))) return false;
  if (!aircraft.onGroundConfirmed) {
    if (!withinUserRange(context, aircraft)) return false;
    appendExtrapolatedPoint(context, aircraft, kAirborneHolds);
    return true;
  }
  appendExtrapolatedPoint(context, aircraft, aircraft.phase == FlightPhase::Parked ? 1 : kGroundHolds);
  return true;
}

}  // namespace tfx
