#include "traffic/take_off.h"

#include <algorithm>
#include <cmath>

#include "core/log.h"
#include "core/log_line.h"
#include "sim/object_events.h"
#include "traffic/motion_controls.h"
#include "traffic/motion_math.h"
#include "traffic/object_controls.h"

namespace tfx {
namespace {

constexpr double kTakeOffKnots = 43.0;
constexpr double kClimbingFpm = 256.0;
constexpr double kLeastFirstClimbFt = 0.1;
constexpr double kClimbOutAglFt = 800.0;
constexpr int32_t kGearUpCounter = -300;
constexpr int32_t kLeastCounter = -1000;
constexpr uint32_t kGoAroundThrottleIndex = 3;

void allLightsOn(TrafficContext& context, const LiveAircraft& aircraft, bool cabin) {
  sim::setLights(context.simulator.exchange(), aircraft.objectId,
                 {.navigation = true, .beacon = true, .landing = true, .taxi = true, .strobe = true, .logo = true,
                  .cabin = cabin});
}

// The roll starts: throttle and spoilers as given, flaps 1, the lights on.
void beginRoll(TrafficContext& context, LiveAircraft& aircraft, uint32_t throttleIndex, uint32_t spoilers, bool cabin) {
  aircraft.motion.takingOff = true;
  setThrottle(context.simulator.exchange(), aircraft, throttleIndex);
  setSpoilers(context, aircraft, spoilers);
  gf_setFlaps(context.simulator.exchange(), aircraft, 1);
  allLightsOn(context, aircraft, cabin);
  resetTolerances(aircraft);
  tellMotion(context, aircraft, MotionEvent::Kind::TakeOff);
}

void goAround(TrafficContext& context, LiveAircraft& aircraft) {
  changePhase(context, aircraft, FlightPhase::Taxi);
  beginRoll(context, aircraft, kGoAroundThrottleIndex, kFullSpoilers, true);
}

// Pitch moves by the step towards the goal and stops there.
double pitchTowards(double pitch, double step, double goal) {
  const double moved = pitch + step;
  return step < 0.0 ? std::max(moved, goal) : std::min(moved, goal);
}

}  // namespace

void startTakeOff(TrafficContext& context, LiveAircraft& aircraft) {
  if (aircraft.motion.towed) writeLogLine("towed aircraft takes-off? {}", aircraft.callsign);
  beginRoll(context, aircraft, kTakeOffThrottleIndex, kTakeOffSpoilers, false);
}

void takeOffCheck(TrafficContext& context, LiveAircraft& aircraft, const TrackPoint& report) {
  if (aircraft.state != SimState::Active || !aircraft.onGroundConfirmed || aircraft.motion.takingOff) return;
  if (aircraft.history.empty()) return;
  const TrackPoint& newest = aircraft.history.back();
  if (aircraft.motion.rollout && newest.airborne && report.airborne) {
    goAround(context, aircraft);
    return;
  }
  if (aircraft.phase != FlightPhase::Taxi) return;
  const bool fastOnGround =
      !report.airborne && report.groundSpeed >= kTakeOffKnots && newest.groundSpeed >= kTakeOffKnots;
  if (fastOnGround || report.airborne) startTakeOff(context, aircraft);
}

void takeOffEntry(TrafficContext& context, LiveAircraft& aircraft, int32_t legCycles) {
  MotionValues& m = aircraft.motion;
  const TrackHistory& history = aircraft.history;
  if (!aircraft.onGroundConfirmed || !m.takingOff || aircraft.phase == FlightPhase::TakeOff) return;
  if (history.size() < 2 || history[0].groundSpeed < kTakeOffKnots) return;
  const CategoryMotion& category = categoryMotion(aircraft);
  bool allClimb = true;
  bool allFastAirborne = true;
  bool allAirborne = true;
  for (size_t i = 1; i < history.size(); ++i) {
    allClimb = allClimb && history[i].verticalSpeed > kClimbingFpm;
    allAirborne = allAirborne && history[i].airborne;
    allFastAirborne = allFastAirborne && history[i].airborne && history[i].groundSpeed >= category.liftOffKnots;
  }
  if (!allClimb && !allFastAirborne) return;
  m.climbStep = allClimb && allAirborne
                    ? std::max(history[1].altitude - aircraft.block.altitude, kLeastFirstClimbFt) /
                          std::max(legCycles, kLeastLegCycles)
                    : aircraft.climbLimit;
  m.takeOffCounter = std::max(1, category.rotationCycles);
  aircraft.block.bank = 0.0;
  m.bankStep = 0.0;
  m.pitchStep = (category.rotationPitch - aircraft.block.pitch) / m.takeOffCounter;
  changePhase(context, aircraft, FlightPhase::TakeOff);
  m.headingRate = 0.0;
  m.curveDefinition = 0;
  if (m.rollout) {
    m.rollout = false;
    m.landing = false;
    setThrottle(context.simulator.exchange(), aircraft, 4);
    setSpoilers(context, aircraft, kFullSpoilers);
    gf_setFlaps(context.simulator.exchange(), aircraft, 1);
  }
}

double liftOffClimbFactor(int32_t takeOffCounter) {
  if (takeOffCounter >= 0) return 0.0;
  if (takeOffCounter > -100) return 0.1;
  if (takeOffCounter > -200) return 0.2;
  if (takeOffCounter > kGearUpCounter) return 0.5;
  return 1.0;
}

void takeOffRollStep(TrafficContext& context, LiveAircraft& aircraft) {
  MotionValues& m = aircraft.motion;
  sim::PositionBlock& block = aircraft.block;
  const CategoryMotion& category = categoryMotion(aircraft);
  m.takeOffCounter = std::max(kLeastCounter, m.takeOffCounter - 1);
  if (m.takeOffCounter >= 1) {
    aircraft.onGroundConfirmed = false;
    block.pitch = pitchTowards(block.pitch, m.pitchStep, category.rotationPitch);
    return;
  }
  block.bank = angleDifference(block.bank + m.bankStep);
  const double towardsClimb = (category.climbPitch - category.rotationPitch) / std::max(1, category.rotationCycles);
  block.pitch = pitchTowards(block.pitch, towardsClimb, category.climbPitch);
  if (m.takeOffCounter == kGearUpCounter) setGear(context, aircraft, false);
  block.altitude += m.climbStep * liftOffClimbFactor(m.takeOffCounter);
  if (block.pitch == category.climbPitch && aircraft.altitudeAboveGround >= kClimbOutAglFt) {
    setThrottle(context.simulator.exchange(), aircraft, isRotorcraft(aircraft) ? 4 : 3);
    changePhase(context, aircraft, FlightPhase::Flying);
    m.takeOffCounter = 1;
  }
}

}  // namespace tfx
