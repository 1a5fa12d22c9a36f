#include "traffic/decode_existing.h"

#include <algorithm>
#include <cmath>

#include "aircraft/aircraft_category.h"
#include "core/geodesy.h"
#include "core/parameters.h"
#include "runstate/cycle_clock.h"
#include "traffic/removal.h"

namespace tfx {
namespace {

constexpr double kSamePlaceDegrees = 1e-8;
constexpr double kNearDegrees = 0.00015;

bool within(const TrackPoint& a, const TrackPoint& b, double degrees) {
  return std::fabs(a.lat - b.lat) <= degrees && std::fabs(a.lon - b.lon) <= degrees;
}

// Close to the newest point: refused while the aircraft flies (or is shown
// airborne), or while it takes off with speed from a point at the speed limit.
bool refusedAtPlace(const LiveAircraft& aircraft, const TrackPoint& point, const TrackPoint& newest,
                    double takeOffKnots) {
  return point.airborne || (aircraft.state == SimState::Active && !aircraft.onGroundConfirmed) ||
         (aircraft.motion.takingOff && point.groundSpeed > 0.0 && newest.groundSpeed >= takeOffKnots);
}

// The point stands where the newest one stands.
void appendStanding(LiveAircraft& aircraft, TrackPoint point, const TrackPoint& newest) {
  point.lat = newest.lat;
  point.lon = newest.lon;
  point.altitude = newest.altitude;
  point.groundSpeed = 0.0;
  point.stationary = true;
  appendDue(aircraft, point);
}

}  // namespace

void appendDue(LiveAircraft& aircraft, TrackPoint point) {
  point.stamp = std::max(point.stamp, aircraft.history.back().stamp + 1);
  aircraft.history.push_back(point);
}

bool appendUnlessStationaryNoise(LiveAircraft& aircraft, TrackPoint point) {
  if (aircraft.history.empty()) return false;
  const TrackPoint newest = aircraft.history.back();
  point.stationary = within(point, newest, kSamePlaceDegrees);
  if (aircraft.category == static_cast<uint32_t>(AircraftCategory::Rotorcraft)) {
    appendDue(aircraft, point);
    return true;
  }
  if (point.stationary || within(point, newest, kNearDegrees)) {
    const double takeOffKnots = point.stationary ? 30.0 : 50.0;
    if (refusedAtPlace(aircraft, point, newest, takeOffKnots)) return false;
    appendStanding(aircraft, point, newest);
    return true;
  }
  const bool takeOffOrAirborne = aircraft.motion.takingOff || point.airborne;
  if (point.groundSpeed == 0.0 && takeOffOrAirborne && newest.groundSpeed >= 50.0) return false;
  appendDue(aircraft, point);
  return true;
}

void decodeExisting(TrafficContext& context, LiveAircraft& aircraft, const TrafficReport& report) {
  if (aircraft.history.size() > kMaxHistoryPoints) {
    removeAircraftFromSim(context, aircraft, "history-full");
    return;
  }
  const TrackPoint point = trackPointOf(report);
  if (aircraft.distanceWatch && !aircraft.history.empty()) {
    const TrackPoint& newest = aircraft.history.back();
    const double meters = gf_distanceNm({point.lat, point.lon}, {newest.lat, newest.lon}) * kMetersPerNm;
    if (meters > HOLDING_THRESHOLD_METERS.value()) {
      aircraft.distanceWatch = false;
      removeAircraftFromSim(context, aircraft, "distance-watch");
      return;
    }
  }
  if (aircraft.phase == FlightPhase::Birth) {
    appendUnlessStationaryNoise(aircraft, point);
    return;
  }
  if (!context.links.motion.takeReport(context, aircraft, point)) return;
  if (aircraft.history.size() == 2 && aircraft.history[0].stationary && aircraft.history[1].stationary) {
    // Due at the next cycle, yet never at or after the second point.
    aircraft.history[0].stamp = std::min(cycleNumber().load() + 1, aircraft.history[1].stamp - 1);
    aircraft.history[0].groundSpeed = aircraft.history[1].groundSpeed;
  }
}

}  // namespace tfx
