#include "traffic/report_taking.h"

#include <cmath>

#include "core/log.h"
#include "core/log_line.h"
#include "runstate/cycle_clock.h"
#include "traffic/decode_existing.h"
#include "traffic/motion_math.h"

namespace tfx {
namespace {

constexpr double kTurnedAwayAirborneDeg = 100.0;
constexpr double kTurnedAwayLandingDeg = 90.0;
constexpr double kTurnedAwayRolloutDeg = 150.0;
constexpr double kSlowestReportCapKnots = 40.0;

// Degrees between the bearing from `from` to the report and the shown heading.
double turnAwayDeg(const LiveAircraft& aircraft, const TrackPoint& from, const TrackPoint& report) {
  return std::fabs(angleDifference(gf_bearingRad(positionOf(from), positionOf(report)) - aircraft.block.heading)) *
         kRadToDeg;
}

void endHold(LiveAircraft& aircraft) {
  aircraft.motion.holdCount = 0;
  resetTolerances(aircraft);
  aircraft.history.front().stamp = cycleNumber().load() + 1;
  aircraft.distanceWatch = false;
}

bool refusedEmpty(std::string_view operation) {
  writeLogLine("{} empty sz?", operation);
  return false;
}

}  // namespace

bool checkExtendingSituations(LiveAircraft& aircraft, TrackPoint point) {
  // Driving onto a stand the aircraft takes reports as the birth rule does.
  if (aircraft.phase == FlightPhase::Parking)
    return aircraft.state == SimState::Active && appendUnlessStationaryNoise(aircraft, point);
  if (aircraft.motion.landing || aircraft.motion.rollout) return checkNewPosDuringLanding(aircraft, point);
  if (aircraft.history.empty()) return refusedEmpty("checkExtendingSituations");
  const bool extrapolating = aircraft.motion.holdCount > 0;
  if (extrapolating && !aircraft.onGroundConfirmed &&
      turnAwayDeg(aircraft, aircraft.history.back(), point) >= kTurnedAwayAirborneDeg)
    return false;
  if (!appendUnlessStationaryNoise(aircraft, point)) return false;
  if (extrapolating) endHold(aircraft);
  return true;
}

bool checkNewPosDuringLanding(LiveAircraft& aircraft, TrackPoint point) {
  TrackHistory& history = aircraft.history;
  if (history.empty()) return refusedEmpty("checkNewPosDuringLanding");
  if (samePlace(history.back(), point)) return false;
  MotionValues& m = aircraft.motion;
  if (history.size() == 1) {
    const double away = turnAwayDeg(aircraft, history.back(), point);
    if (m.landing && away >= kTurnedAwayLandingDeg) return false;
    if (!m.landing) {
      if (away >= kTurnedAwayRolloutDeg && m.holdCount > 0) return false;
      TrackPoint& only = history.front();
      only.lat = aircraft.block.lat;
      only.lon = aircraft.block.lon;
      only.stamp = cycleNumber().load() + 1;
    }
  } else {
    const size_t held = history.size();
    if (turnAwayDeg(aircraft, history.back(), point) >= kTurnedAwayLandingDeg) {
      history.truncate(held - 1);
      if (held >= 3 && turnAwayDeg(aircraft, history.back(), point) >= kTurnedAwayLandingDeg)
        history.truncate(held - 2);
    }
  }
  if (m.holdCount > 0) {
    m.holdCount = 0;
    resetTolerances(aircraft);
  }
  const TrackPoint& newest = history.back();
  point.stationary = samePlace(newest, point);
  if (!point.stationary && point.groundSpeed > newest.groundSpeed && point.groundSpeed > kSlowestReportCapKnots)
    point.groundSpeed = newest.groundSpeed;
  appendDue(aircraft, point);
  return true;
}

}  // namespace tfx
