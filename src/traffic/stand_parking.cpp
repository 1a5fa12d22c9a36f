#include "traffic/stand_parking.h"

#include <algorithm>

#include "core/log.h"
#include "core/log_line.h"
#include "traffic/ground_stands.h"
#include "traffic/ground_step.h"
#include "traffic/motion_math.h"
#include "traffic/stand_claims.h"

namespace tfx {
namespace {

constexpr double kWideNm = 0.029697624190064796;  // 55 m
constexpr double kNarrowNm = 0.010799136069114472;  // 20 m
constexpr int32_t kLeastDriveCycles = 100;
constexpr int32_t kStopCycles = 50;

}  // namespace

bool try2Park(TrafficContext& context, LiveAircraft& aircraft, bool wide) {
  TrackHistory& history = aircraft.history;
  if (history.empty()) {
    writeLogLine("{} empty sz?", "try2Park");
    return false;
  }
  const LatLon newest = positionOf(history.back());
  MotionValues& m = aircraft.motion;
  if (samePlace(newest.lat, newest.lon, m.lastParkAttempt.lat, m.lastParkAttempt.lon)) return false;
  m.lastParkAttempt = newest;
  airports::ParkingState* parking = context.links.stands.view().parking;
  if (parking == nullptr) return false;
  const airports::Stand* stand = nearestTakeableStand(context, *parking, newest, wide ? kWideNm : kNarrowNm);
  if (stand == nullptr) return false;
  clearForParking(context, aircraft, *stand);
  staticsMakeWay(context, aircraft, *stand);
  takeStand(aircraft, *stand);
  history.truncate(1);
  m.curveDefinition = 0;
  changePhase(context, aircraft, FlightPhase::Parking);
  drive2Stand(aircraft);
  return true;
}

void drive2Stand(LiveAircraft& aircraft) {
  TrackHistory& history = aircraft.history;
  if (history.empty()) {
    writeLogLine("{} empty sz?", "drive2Stand");
    return;
  }
  TrackPoint& newest = history.back();
  const LatLon stand = aircraft.standPosition;
  const int32_t cycles =
      std::max(kLeastDriveCycles, travelCycles(gf_distanceNm(positionOf(newest), stand), aircraft.standSpeed));
  TrackPoint atStand = newest;
  atStand.lat = stand.lat;
  atStand.lon = stand.lon;
  atStand.altitude = aircraft.block.altitude;
  atStand.airborne = false;
  atStand.groundSpeed = aircraft.standSpeed;
  atStand.track = aircraft.standHeading * kRadToDeg;
  atStand.stamp = history.front().stamp + cycles;
  atStand.stationary = samePlace(newest.lat, newest.lon, stand.lat, stand.lon);
  atStand.hasRoll = true;
  atStand.roll = aircraft.block.bank;
  newest.groundSpeed = aircraft.standSpeed;
  TrackPoint stop = atStand;
  stop.stationary = true;
  stop.groundSpeed = 0.0;
  stop.stamp = atStand.stamp + kStopCycles;
  history.push_back(atStand);
  history.push_back(stop);
  aircraft.predictedTrack = aircraft.standHeading;
  MotionValues& m = aircraft.motion;
  if (m.holdCount > 0) {
    m.holdCount = 0;
    aircraft.distanceWatch = false;
  }
  resetTolerances(aircraft);
}

}  // namespace tfx
