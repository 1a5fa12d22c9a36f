#include "traffic/cycle_step.h"

#include <algorithm>
#include <cmath>

#include "traffic/ground_curve.h"
#include "traffic/landing.h"
#include "traffic/motion_math.h"
#include "traffic/take_off.h"

namespace tfx {
namespace {

constexpr double kSteepestApproachPitch = -4.0 * kDegToRad;
// Decided here: the pitch never passes straight up or down, whatever the reports.
constexpr double kMostPitch = M_PI / 2.0;
constexpr double kFlareAglFt = 400.0;

void movePosition(LiveAircraft& aircraft) {
  sim::PositionBlock& block = aircraft.block;
  const MotionValues& m = aircraft.motion;
  switch (aircraft.phase) {
    case FlightPhase::TakeOff:
    case FlightPhase::Flying:
    case FlightPhase::Birth:
      block.heading = wrapHeading(block.heading + m.headingRate);
      block.lat += m.latStep;
      block.lon += m.lonStep;
      return;
    default:
      if (m.curveDefinition != 0 && followCurve(aircraft)) return;
      if (aircraft.phase == FlightPhase::Parking || m.headingError)
        turnTowards(block, aircraft.predictedTrack, m.turnRate);
      if (aircraft.phase == FlightPhase::PushedBack) return;
      block.lat += m.latStep;
      block.lon += m.lonStep;
  }
}

void moveAttitude(TrafficContext& context, LiveAircraft& aircraft) {
  sim::PositionBlock& block = aircraft.block;
  MotionValues& m = aircraft.motion;
  if (m.landing && !aircraft.onGroundConfirmed && aircraft.altitudeAboveGround <= kFlareAglFt)
    flareStep(context, aircraft);
  if (m.pitchTransition) {
    block.pitch += m.pitchStep;
    if ((m.pitchStep >= 0.0 && block.pitch >= aircraft.groundPitch) ||
        (m.pitchStep < 0.0 && block.pitch <= aircraft.groundPitch)) {
      block.pitch = aircraft.groundPitch;
      m.pitchTransition = false;
    }
    block.bank = angleDifference(block.bank + m.bankStep);
  } else if (m.landing && !aircraft.onGroundConfirmed) {
    block.bank = angleDifference(block.bank + m.bankStep);
    block.pitch = std::max(block.pitch + m.pitchStep, kSteepestApproachPitch);
    block.altitude += m.climbStep;
  } else if (aircraft.onGroundConfirmed) {
    block.pitch = aircraft.groundPitch;
    block.bank = 0.0;
  } else {
    block.bank = angleDifference(block.bank + m.bankStep);
    block.pitch = std::clamp(block.pitch + m.pitchStep, -kMostPitch, kMostPitch);
    block.altitude += m.climbStep;
  }
}

}  // namespace

void movePerCycle(TrafficContext& context, LiveAircraft& aircraft) {
  movePosition(aircraft);
  if (aircraft.phase == FlightPhase::TakeOff) {
    takeOffRollStep(context, aircraft);
  } else {
    moveAttitude(context, aircraft);
  }
  keepOnEarth(aircraft.block);
}

}  // namespace tfx
