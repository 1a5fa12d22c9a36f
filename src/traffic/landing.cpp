#include "traffic/landing.h"

#include <algorithm>
#include <array>

#include "airports/airport.h"
#include "core/log.h"
#include "core/log_line.h"
#include "traffic/ground_stands.h"
#include "traffic/motion_controls.h"
#include "traffic/motion_math.h"
#include "traffic/object_controls.h"

namespace tfx {
namespace {

constexpr double kNearParkAirportNm = 10.0;
constexpr double kLandingDescentFpm = -250.0;
constexpr double kCleanUpClimbFpm = 600.0;
constexpr double kFlarePitch = -4.0 * kDegToRad;
constexpr double kFullPercent = 100.0;

struct FlareStage {
  double aboveCgFt;  // the stage begins at CG height + this or lower
  double climbFtPerCycle;
  double verticalSpeedFpm;
};
// Stage k + 1 begins with entry k.
constexpr std::array<FlareStage, 4> kFlareStages{{
    {30.0, -0.1, -601.0},
    {20.0, -0.07500000000000001, -450.0},
    {10.0, -0.05, -300.0},
    {3.0, -0.025, -150.0},
}};

void startLanding(TrafficContext& context, LiveAircraft& aircraft, double distanceNm) {
  sim::ExchangeLists& exchange = context.simulator.exchange();
  setThrottle(exchange, aircraft, isRotorcraft(aircraft) ? 4 : 1);
  gf_setFlaps(exchange, aircraft, 3);
  setGear(context, aircraft, true);
  context.state.staticCheckList.push_back(aircraft.hexid);
  aircraft.motion.landing = true;
  aircraft.motion.cleanUp = false;
  clearStand(aircraft);
  resetTolerances(aircraft);
  aircraft.groundCounter = 1;
  tellMotion(context, aircraft, MotionEvent::Kind::Landing, distanceNm);
}

void cleanUp(TrafficContext& context, LiveAircraft& aircraft) {
  sim::ExchangeLists& exchange = context.simulator.exchange();
  narrowTolerances(aircraft);
  setThrottle(exchange, aircraft, 4);
  setGear(context, aircraft, false);
  gf_setFlaps(exchange, aircraft, 0);
  aircraft.motion.cleanUp = true;
  aircraft.motion.approachStage = 0;
  aircraft.motion.landing = false;
}

}  // namespace

void approachConfiguration(TrafficContext& context, LiveAircraft& aircraft) {
  setCabinLights(context, aircraft, false);
  const bool park = airports::parkAirportIsSet();
  const double distanceNm = park ? gf_distanceNm(positionOf(aircraft.block), airports::parkAirport().position()) : 0.0;
  const bool near = park && distanceNm <= kNearParkAirportNm;
  const double climbFpm = aircraft.history.front().verticalSpeed;
  MotionValues& m = aircraft.motion;
  if (climbFpm <= kLandingDescentFpm && !m.landing && near) {
    startLanding(context, aircraft, distanceNm);
  } else if ((climbFpm > kCleanUpClimbFpm || (m.landing && !near)) && !m.cleanUp) {
    cleanUp(context, aircraft);
  }
}

void flareStep(TrafficContext& context, LiveAircraft& aircraft) {
  MotionValues& m = aircraft.motion;
  if (m.approachStage < 0 || m.approachStage >= static_cast<int32_t>(kFlareStages.size())) return;
  const double agl = aircraft.altitudeAboveGround;
  const double height =
      airports::parkAirportIsSet() ? aircraft.block.altitude - airports::parkAirport().alt : agl;
  const FlareStage& stage = kFlareStages[static_cast<size_t>(m.approachStage)];
  if (std::min(height, agl) > aircraft.cgHeight + stage.aboveCgFt) return;
  if (m.approachStage == 0) {
    m.pitchStep = (kFlarePitch - aircraft.block.pitch) / std::max(1, categoryMotion(aircraft).flareCycles);
    context.state.fastGroundScan = true;
  }
  if (m.approachStage == 2) setThrottle(context.simulator.exchange(), aircraft, 0);
  m.climbStep = stage.climbFtPerCycle;
  if (!aircraft.history.empty()) aircraft.history.front().verticalSpeed = stage.verticalSpeedFpm;
  ++m.approachStage;
  tellMotion(context, aircraft, MotionEvent::Kind::Flare, m.approachStage);
}

void touchdown(TrafficContext& context, LiveAircraft& aircraft) {
  MotionValues& m = aircraft.motion;
  context.state.fastGroundScan = false;
  m.touchdownHeading = aircraft.block.heading;
  m.landing = false;
  m.landed = true;
  m.rollout = true;
  m.approachStage = 0;
  m.pitchTransition = true;
  m.pitchStep = (aircraft.groundPitch - aircraft.block.pitch) / std::max(1, categoryMotion(aircraft).flareCycles);
  setSpoilers(context, aircraft, kFullSpoilers);
  if (aircraft.category != static_cast<uint32_t>(AircraftCategory::Light))
    context.simulator.writeAiControls(aircraft.objectId, kFullPercent, m.reverse ? -kFullPercent : kFullPercent);
  if (m.groundSlots <= 0) writeLogLine("{} ! onGround slots {:.1f}", aircraft.callsign, 1.0 * m.groundSlots);
  tellMotion(context, aircraft, MotionEvent::Kind::Touchdown);
}

}  // namespace tfx
