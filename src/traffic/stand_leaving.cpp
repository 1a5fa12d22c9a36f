#include "traffic/stand_leaving.h"

#include <array>
#include <cmath>

#include "core/log.h"
#include "core/log_line.h"
#include "core/parameters.h"
#include "sim/sim_ids.h"
#include "runstate/cycle_clock.h"
#include "traffic/collision_geometry.h"
#include "traffic/decode_existing.h"
#include "traffic/ground_curve.h"
#include "traffic/ground_stands.h"
#include "traffic/ground_step.h"
#include "traffic/motion_math.h"
#include "traffic/object_controls.h"

namespace tfx {
namespace {

// Decided here: reports within 20 m of the stand, or within half a wingspan
// for larger aircraft, are the noise of an aircraft standing there.
constexpr double kStandNoiseNm = 0.010799136069114472;  // 20 m
constexpr double kLeaveForwardDeg = 90.0;
constexpr double kPushBackRadii = 2.5;
constexpr double kLargestEndDistanceNm = 900.0;
constexpr double kGoneSpans = 6.0;
constexpr double kMovingAwaySpans = 2.75;
constexpr int32_t kStraightEndCycles = 100;

// Decided here, degrees per cycle: a tug turns a light aircraft by 5 degrees
// a second and a heavy one by 2.5, so that the 90-degree turn takes 18 to
// 36 seconds.
constexpr std::array<double, kAircraftCategoryCount> kPushBackTurnRates{0.05, 0.04, 0.035, 0.025, 0.04, 0.05};



double feet(double nm) { return nm * kFeetPerNm; }

// The engines run and the aircraft is ready to taxi.
void readyToTaxi(TrafficContext& context, LiveAircraft& aircraft) {
  sim::ExchangeLists& exchange = context.simulator.exchange();
  exchange.queueEvent(aircraft.objectId, sim::kEvEngineAutoStart, 0);
  setThrottle(exchange, aircraft, 0);
  gf_setFlaps(exchange, aircraft, 1);
}

TrackPoint pointAt(const TrackPoint& like, const LatLon& position, double knots, int32_t due) {
  TrackPoint point = like;
  point.lat = position.lat;
  point.lon = position.lon;
  point.altitude = 0.0;
  point.airborne = false;
  point.groundSpeed = knots;
  point.stamp = due;
  point.stationary = false;
  return point;
}

// The history becomes the shown position, due now, and the targets.
void startFromShown(LiveAircraft& aircraft, int32_t cycle) {
  TrackPoint here = aircraft.history.front();
  here.lat = aircraft.block.lat;
  here.lon = aircraft.block.lon;
  here.stamp = cycle;
  here.stationary = false;
  aircraft.history.clear();
  aircraft.history.push_back(here);
}

void leftStand(TrafficContext& context, LiveAircraft& aircraft) {
  tellStand(context, aircraft, "left");
  clearStand(aircraft);
}

void pullOut(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle) {
  const LatLon target =
      gf_destinationPoint(aircraft.standPosition, aircraft.standHeading, feet(2.0 * aircraft.halfWingspan));
  startFromShown(aircraft, cycle);
  const double knots = aircraft.standSpeed;
  const int32_t due = cycle + travelCycles(gf_distanceNm(positionOf(aircraft.block), target), knots);
  aircraft.history.push_back(pointAt(aircraft.history.front(), target, knots, due));
  changePhase(context, aircraft, FlightPhase::Taxi);
  aircraft.predictedTrack = aircraft.block.heading;
  readyToTaxi(context, aircraft);
  lightUpTaxiing(context.simulator.exchange(), aircraft, true);
  if (LOG.value()) writeLogLine("{:8}: {:8} pulling out", standName(context, aircraft), aircraft.callsign);
  context.state.staticCheckList.push_back(aircraft.hexid);
  tellStand(context, aircraft, "pulling_out");
  // Decided here: a pulled-out aircraft is off its stand at once; only a
  // push-back keeps the stand until the aircraft is clear.
  leftStand(context, aircraft);
}

// The push-back: straight back by 2.5 stand radii, then a quarter turn. The
// side points lie half a wingspan behind the first target as well as half a
// wingspan aside (decided here), so that the curve through the turn leaves
// the straight push along it and meets them at right angles.
void pushBack(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle) {
  airports::ParkingState* parking = context.links.stands.view().parking;
  const airports::Stand* stand = parking != nullptr ? standOf(*parking, aircraft.standId) : nullptr;
  const double radiusNm = stand != nullptr ? stand->radius : aircraft.halfWingspan;
  const double backward = wrapHeading(aircraft.standHeading + M_PI);
  const double spanFt = feet(aircraft.halfWingspan);
  const LatLon first = gf_destinationPoint(positionOf(aircraft.block), backward, feet(kPushBackRadii * radiusNm));
  const LatLon corner = gf_destinationPoint(first, backward, spanFt);
  const LatLon side = gf_destinationPoint(corner, backward - M_PI / 2.0, spanFt);
  MotionValues& m = aircraft.motion;
  m.mirrorPoint = gf_destinationPoint(corner, backward + M_PI / 2.0, spanFt);
  const double knots = aircraft.standSpeed;
  const int32_t firstCycles = travelCycles(gf_distanceNm(positionOf(aircraft.block), first), knots);
  const int32_t turnCycles =
      static_cast<int32_t>(std::lround(90.0 / pushBackTurnRate(aircraft) / 100.0)) * 100;
  const int32_t sideDue = std::max(cycle + firstCycles / 2 + travelCycles(gf_distanceNm(first, side), knots),
                                   cycle + firstCycles + turnCycles);
  startFromShown(aircraft, cycle);
  aircraft.history.push_back(pointAt(aircraft.history.front(), first, knots, cycle + firstCycles));
  aircraft.history.push_back(pointAt(aircraft.history.front(), side, knots, sideDue));
  lightUpTaxiing(context.simulator.exchange(), aircraft, false);
  changePhase(context, aircraft, FlightPhase::PushingBack);
  m.pushBackStage = 2;
  m.turnDirection = 0;
  tellStand(context, aircraft, "pushing_back");
}

}  // namespace

double pushBackTurnRate(const LiveAircraft& aircraft) {
  return kPushBackTurnRates[aircraft.category < kAircraftCategoryCount ? aircraft.category : 0];
}

bool takeParkedReport(LiveAircraft& aircraft, TrackPoint point) {
  if (aircraft.history.empty()) return false;
  const double noiseNm = std::max(kStandNoiseNm, aircraft.halfWingspan);
  if (gf_distanceNm(aircraft.standPosition, positionOf(point)) <= noiseNm) return false;
  // The stand's week-long point ends now.
  aircraft.history.front().stamp = cycleNumber().load() + 1;
  point.stationary = false;
  appendDue(aircraft, point);
  aircraft.motion.holdCount = 0;
  aircraft.motion.leaveStand = true;
  return true;
}

void decidePushBackTurn(LiveAircraft& aircraft, const TrackPoint& point) {
  MotionValues& m = aircraft.motion;
  if (STRAIGHT_PBS_ONLY.value() || m.pushBackStage != 2) return;
  double heading = 0.0;
  if (point.hasTrueHeading) {
    heading = point.trueHeading;
  } else if (point.track != 0.0) {
    heading = point.track * kDegToRad;
  } else {
    return;
  }
  m.turnDirection = angleDifference(heading - aircraft.block.heading) > 0.0 ? 1 : -1;
}

bool takePushedBackReport(TrafficContext& context, LiveAircraft& aircraft, TrackPoint point) {
  if (aircraft.history.empty()) return false;
  MotionValues& m = aircraft.motion;
  const double distanceNm = gf_distanceNm(positionOf(aircraft.block), positionOf(point));
  const double span = aircraft.halfWingspan;
  const bool movingAway = distanceNm > kMovingAwaySpans * span && distanceNm > m.pushBackEndDistance;
  if (distanceNm <= kGoneSpans * span && !movingAway) {
    // Decided here: the distance seen last, not the largest, as the rule asks
    // for a report that is farther still.
    m.pushBackEndDistance = distanceNm;
    if (!aircraft.distanceWatch) {
      aircraft.distanceWatch = true;
      aircraft.distanceWatchStart = static_cast<uint32_t>(cycleNumber().load());
    }
    return false;
  }
  point.stationary = false;
  appendDue(aircraft, point);
  if (m.holdCount > 0) aircraft.history.front().stamp = cycleNumber().load() + 1;
  m.holdCount = 0;
  resetTolerances(aircraft);
  m.turnDirection = 0;
  m.pushBackStage = 0;
  aircraft.distanceWatch = false;
  changePhase(context, aircraft, FlightPhase::Taxi);
  leftStand(context, aircraft);
  return true;
}

void leaveStand(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle) {
  aircraft.motion.leaveStand = false;
  const double bearing = gf_bearingRad(aircraft.standPosition, positionOf(aircraft.history.back()));
  const double offDeg = std::round(std::fabs(angleDifference(bearing - aircraft.standHeading)) * kRadToDeg);
  releaseStand(context, aircraft);
  if (offDeg < kLeaveForwardDeg) {
    pullOut(context, aircraft, cycle);
  } else {
    pushBack(context, aircraft, cycle);
  }
}

void pushBackProgress(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle) {
  MotionValues& m = aircraft.motion;
  TrackHistory& history = aircraft.history;
  --m.pushBackStage;
  if (m.pushBackStage == 1) {
    if (m.turnDirection == 0 || history.size() < 2) {
      TrackPoint end = history.front();
      end.stationary = true;
      end.stamp = cycle + kStraightEndCycles;
      history.truncate(1);
      history.push_back(end);
      return;
    }
    TrackPoint& side = history[1];
    if (m.turnDirection > 0) {
      side.lat = m.mirrorPoint.lat;
      side.lon = m.mirrorPoint.lon;
    }
    const double backward = wrapHeading(aircraft.standHeading + M_PI);
    const LatLon corner = gf_destinationPoint(positionOf(aircraft.block), backward, feet(aircraft.halfWingspan));
    GroundCurve curve = makeGroundCurve(positionOf(aircraft.block), corner, positionOf(side),
                                        std::max(kLeastLegCycles, side.stamp - cycle));
    curve.backward = true;
    startCurve(aircraft, curve);
    return;
  }
  if (m.pushBackStage >= 1) return;
  aircraft.predictedTrack = aircraft.block.heading;
  readyToTaxi(context, aircraft);
  changePhase(context, aircraft, FlightPhase::PushedBack);
  m.pushBackEndDistance = kLargestEndDistanceNm;
  m.holdCount = 0;
  m.leaveStand = false;
  tellStand(context, aircraft, "pushed_back");
}

}  // namespace tfx
