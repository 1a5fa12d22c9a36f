#include "traffic/motion_step.h"

#include <algorithm>
#include <cmath>

#include "traffic/air_leg.h"
#include "traffic/air_retiming.h"
#include "traffic/ground_step.h"
#include "traffic/motion_math.h"
#include "traffic/out_of_track.h"
#include "traffic/removal.h"
#include "traffic/take_off.h"

namespace tfx {

void makeOneStep(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle) {
  TrackHistory& history = aircraft.history;
  {
    TrackPoint& second = history[1];
    if (samePlace(history[0], second)) second.stationary = true;
    if (!second.stationary) aircraft.predictedTrack = gf_bearingRad(positionOf(history[0]), positionOf(second));
  }
  // On the ground the due cycles of the reports time the legs.
  if (aircraft.onGroundConfirmed) {
    groundMovement(context, aircraft, cycle);
  } else {
    retimeAirLeg(aircraft, cycle);
  }
  TrackPoint& nxt = history[1];
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
