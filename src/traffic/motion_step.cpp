#include "traffic/motion_step.h"

#include <algorithm>
#include <cmath>

#include "traffic/air_leg.h"
#include "traffic/air_retiming.h"
#include "traffic/motion_math.h"
#include "traffic/out_of_track.h"
#include "traffic/removal.h"
#include "traffic/take_off.h"

namespace tfx {
namespace {

constexpr double kHeadingErrorDeg = 3.0;
// Decided here, until the ground movement brings its own: 10 degrees a second.
constexpr double kGroundTurnRate = 0.1 * kDegToRad;

// The straight manner on the ground turns the heading towards the track when it is off by more than 3 degrees.
void followTrackOnGround(LiveAircraft& aircraft) {
  const double error = angleDifference(aircraft.predictedTrack - aircraft.block.heading);
  aircraft.motion.headingError = std::fabs(error) * kRadToDeg > kHeadingErrorDeg;
  aircraft.motion.turnRate = kGroundTurnRate;
}

}  // namespace

void makeOneStep(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle) {
  TrackHistory& history = aircraft.history;
  TrackPoint& nxt = history[1];
  if (samePlace(history[0], nxt)) nxt.stationary = true;
  if (!nxt.stationary) aircraft.predictedTrack = gf_bearingRad(positionOf(history[0]), positionOf(nxt));
  // On the ground the straight manner: the due cycles of the reports time the legs.
  if (!aircraft.onGroundConfirmed) retimeAirLeg(aircraft, cycle);
  MotionValues& m = aircraft.motion;
  if (nxt.stationary) {
    m.latStep = 0.0;
    m.lonStep = 0.0;
    if (!m.rollout && !m.takingOff) narrowTolerances(aircraft);
  } else {
    const int32_t legCycles = std::max(kLeastLegCycles, nxt.stamp - cycle);
    m.latStep = (nxt.lat - aircraft.block.lat) / legCycles;
    // The shorter way round, also across the date line.
    m.lonStep = std::remainder(nxt.lon - aircraft.block.lon, 360.0) / legCycles;
    if (aircraft.onGroundConfirmed) {
      followTrackOnGround(aircraft);
      takeOffEntry(context, aircraft, legCycles);
    } else {
      airLegSetUp(context, aircraft, legCycles);
    }
  }
  history.pop_front();
}

void nextPosMain(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle) {
  TrackHistory& history = aircraft.history;
  const auto steps = [&] {
    return aircraft.onGroundConfirmed || !history[1].stationary || isRotorcraft(aircraft);
  };
  while (history.size() >= 2 && !steps()) history.erase(1);
  if (history.size() < 2 && !outOfTrack(context, aircraft, cycle)) {
    removeAircraftFromSim(context, aircraft, "out-of-track");
    return;
  }
  makeOneStep(context, aircraft, cycle);
}

}  // namespace tfx
