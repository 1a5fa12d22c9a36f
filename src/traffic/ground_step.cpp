#include "traffic/ground_step.h"

#include <cmath>

#include "traffic/ground_curve.h"
#include "traffic/motion_math.h"
#include "traffic/stand_leaving.h"
#include "traffic/stand_parking.h"

namespace tfx {
namespace {

constexpr double kHeadingErrorDeg = 3.0;
// Decided here: 10 degrees a second, which a taxiing airliner hardly exceeds.
constexpr double kGroundTurnRate = 0.1 * kDegToRad;
constexpr double kStraightTurnDeg = 3.0;
constexpr double kReversalDeg = 160.0;
constexpr double kSharpTurnDeg = 45.0;
constexpr double kSharpTurnLegNm = 0.02699784017278618;  // 50 m
constexpr double kSharpTurnKnots = 43.0;
constexpr int32_t kSharpTurnCycles = 600;
constexpr double kSpeedChangeKnots = 5.0;
constexpr double kSpeedChangeNm = 0.05399568034557236;  // 100 m
constexpr double kParkingKnots = 5.0;
constexpr double kNearNewestNm = 0.018898488120950324;  // 35 m
// The slow sharp turn runs straight along its first leg up to this far before
// the corner, then turns there on a curve; decided here as a tight turn
// radius of a taxiing airliner.
constexpr double kSharpTurnLeadM = 25.0;

TrackPoint pointBetween(const TrackPoint& from, const TrackPoint& to, double share) {
  TrackPoint point = from;
  point.lat = from.lat + (to.lat - from.lat) * share;
  point.lon = from.lon + std::remainder(to.lon - from.lon, 360.0) * share;
  point.stamp = from.stamp + static_cast<int32_t>(std::lround((to.stamp - from.stamp) * share));
  point.stationary = false;
  return point;
}

// The curve manner: one curve from the shown position over the next point to
// the third, which is reached at its due cycle.
void curveThroughNext(LiveAircraft& aircraft, int32_t cycle) {
  TrackHistory& history = aircraft.history;
  TrackPoint& third = history[2];
  if (third.groundSpeed == 0.0) third.groundSpeed = (history[0].groundSpeed + history[1].groundSpeed) / 2.0;
  const GroundCurve curve = makeGroundCurve(positionOf(aircraft.block), positionOf(history[1]), positionOf(third),
                                            std::max(kLeastLegCycles, third.stamp - cycle));
  history.erase(1);
  startCurve(aircraft, curve);
  aircraft.motion.turnRate = kGroundTurnRate;
}

// Decided here: the slow sharp turn drives straight to a point shortly before
// the corner, due when the leg's speed brings it there; from that point the
// turn is short enough for the curve manner, which takes the corner at the
// next step. Both parts keep the due cycles of the reports.
void sharpTurn(LiveAircraft& aircraft, double legM) {
  TrackHistory& history = aircraft.history;
  history.insert(1, pointBetween(history[0], history[1], (legM - kSharpTurnLeadM) / legM));
}

void accelerate(LiveAircraft& aircraft) {
  TrackHistory& history = aircraft.history;
  const TrackPoint& cur = history[0];
  const TrackPoint& nxt = history[1];
  TrackPoint mid = pointBetween(cur, nxt, 0.5);
  mid.altitude = (cur.altitude + nxt.altitude) / 2.0;
  mid.groundSpeed = (cur.groundSpeed + nxt.groundSpeed) / 2.0;
  mid.airborne = mid.altitude > 0.0;
  if (!mid.airborne) mid.altitude = 0.0;
  history.insert(1, mid);
}

void chooseManner(LiveAircraft& aircraft, int32_t cycle) {
  TrackHistory& history = aircraft.history;
  const TrackPoint& cur = history[0];
  const TrackPoint& nxt = history[1];
  if (nxt.stationary) return;
  if (history.size() >= 3 && !history[2].stationary) {
    const TrackPoint& third = history[2];
    const double turnDeg = std::fabs(angleDifference(gf_bearingRad(positionOf(nxt), positionOf(third)) -
                                                     gf_bearingRad(positionOf(cur), positionOf(nxt)))) *
                           kRadToDeg;
    if (turnDeg <= kStraightTurnDeg || turnDeg > kReversalDeg) return;
    const double legNm = gf_distanceNm(positionOf(cur), positionOf(nxt));
    if (turnDeg > kSharpTurnDeg && legNm > kSharpTurnLegNm && cur.groundSpeed <= kSharpTurnKnots &&
        nxt.stamp - cur.stamp >= kSharpTurnCycles) {
      sharpTurn(aircraft, legNm * kMetersPerNm);
    } else if (!samePlace(cur, third)) {
      curveThroughNext(aircraft, cycle);
    }
    return;
  }
  if (history.size() < 3 && aircraft.motion.holdCount < 1 &&
      std::fabs(nxt.groundSpeed - cur.groundSpeed) > kSpeedChangeKnots &&
      gf_distanceNm(positionOf(cur), positionOf(nxt)) >= kSpeedChangeNm)
    accelerate(aircraft);
}

// Decided here: towing is not simulated, so the towed flag stays off and every
// aircraft that just left a stand taxis away rather than parking again.
bool justLeftStand(const LiveAircraft& aircraft) {
  const FlightPhase before = aircraft.previousPhase;
  return !aircraft.motion.towed && (before == FlightPhase::Parked || before == FlightPhase::PushingBack ||
                                    before == FlightPhase::PushedBack);
}

void tryToParkWhenStill(TrafficContext& context, LiveAircraft& aircraft) {
  const TrackHistory& history = aircraft.history;
  if (!history.back().stationary || aircraft.phase != FlightPhase::Taxi || justLeftStand(aircraft)) return;
  if (context.links.stands.view().parking == nullptr) return;
  if (aircraft.motion.holdCount >= 1) {
    try2Park(context, aircraft, aircraft.motion.landed);
    return;
  }
  if (history[1].groundSpeed <= kParkingKnots &&
      gf_distanceNm(positionOf(aircraft.block), positionOf(history.back())) <= kNearNewestNm)
    try2Park(context, aircraft, false);
}

}  // namespace

int32_t travelCycles(double distanceNm, double knots) {
  if (knots <= 0.0) return kLeastLegCycles;
  return static_cast<int32_t>(std::lround(distanceNm * 360000.0 / knots));
}

void groundMovement(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle) {
  aircraft.motion.curveDefinition = 0;
  switch (aircraft.phase) {
    case FlightPhase::PushingBack: pushBackProgress(context, aircraft, cycle); return;
    case FlightPhase::Parked:
      resetTolerances(aircraft);
      if (aircraft.motion.leaveStand) leaveStand(context, aircraft, cycle);
      return;
    default: break;
  }
  chooseManner(aircraft, cycle);
  tryToParkWhenStill(context, aircraft);
}

void followTrackOnGround(LiveAircraft& aircraft) {
  MotionValues& m = aircraft.motion;
  m.turnRate = kGroundTurnRate;
  if (aircraft.phase == FlightPhase::PushingBack) {
    m.headingError = false;
    return;
  }
  m.headingErrorDeg = angleDifference(aircraft.predictedTrack - aircraft.block.heading) * kRadToDeg;
  m.headingError = std::fabs(m.headingErrorDeg) > kHeadingErrorDeg;
}

}  // namespace tfx
