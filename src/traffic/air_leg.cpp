#include "traffic/air_leg.h"

#include <algorithm>
#include <cmath>

#include "airports/airport.h"
#include "realtraffic/published_qnh.h"
#include "runstate/cycle_clock.h"
#include "sim/object_events.h"
#include "traffic/landing.h"
#include "traffic/motion_controls.h"
#include "traffic/motion_math.h"
#include "traffic/object_controls.h"

namespace tfx {
namespace {

constexpr double kFpmPerFtPerCycle = 6000.0;
constexpr double kLeastTakeOffClimbFpm = 601.0;
constexpr double kNoParkDescentFpm = -601.0;
constexpr double kLowAglFt = 1000.0;
constexpr double kLowLeastClimb = 0.2;  // feet per cycle, 1200 feet per minute
constexpr double kHighLightsFt = 10000.0;
constexpr double kGearUpAglFt = 2400.0;
constexpr double kSecondFlapsAglFt = 2000.0;

int32_t qnh() { return publishedQnh().load(); }

// Feet per cycle towards `target` by its due cycle, never down, at most the climb limit.
double climbTowards(const LiveAircraft& aircraft, const TrackPoint& target, int32_t cycles) {
  if (target.altitude <= aircraft.block.altitude) return 0.0;
  return std::min((target.altitude - aircraft.block.altitude) / cycles, aircraft.climbLimit);
}

// The vertical speed V becomes the next point's and the aircraft's; the climb is V / 6000.
double holdRate(LiveAircraft& aircraft, TrackPoint& nxt, double fpm) {
  nxt.verticalSpeed = fpm;
  aircraft.block.verticalSpeed = fpm / 60.0;
  return fpm / kFpmPerFtPerCycle;
}

// The points 3 to 10 searched for the first airborne one (see motion_tables.h).
const TrackPoint* firstAirborneAhead(const TrackHistory& history) {
  const size_t last = std::min(kClimbSearchLast, history.size() - 1);
  for (size_t i = kClimbSearchFirst; i <= last; ++i)
    if (history[i].airborne) return &history[i];
  return nullptr;
}

double groundToGroundClimb(TrafficContext& context, LiveAircraft& aircraft) {
  TrackHistory& history = aircraft.history;
  TrackPoint& nxt = history[1];
  double verticalSum = 0.0;
  for (size_t i = 0; i < history.size(); ++i) verticalSum += history[i].verticalSpeed;
  double climb = 0.0;
  if (!aircraft.motion.landing && verticalSum > 100.0) {
    if (const TrackPoint* airborne = firstAirborneAhead(history)) {
      const int32_t now = cycleNumber().load();
      climb = climbTowards(aircraft, *airborne, std::max(kLeastLegCycles, airborne->stamp - now));
    } else {
      climb = holdRate(aircraft, nxt, std::max(nxt.verticalSpeed, kLeastTakeOffClimbFpm));
    }
  } else {
    climb = holdRate(aircraft, nxt, approachRate(aircraft, history[0], nxt));
  }
  setGear(context, aircraft, true);
  return climb;
}

double landingLegClimb(TrafficContext& context, LiveAircraft& aircraft, int32_t cycles) {
  TrackPoint& nxt = aircraft.history[1];
  double climb = 0.0;
  if (qnh() >= kStandardQnh + 1) {
    climb = holdRate(aircraft, nxt, approachRate(aircraft, aircraft.history[0], nxt));
  } else if (!airports::parkAirportIsSet()) {
    climb = holdRate(aircraft, nxt, kNoParkDescentFpm);
  } else {
    climb = (airports::parkAirport().alt - aircraft.block.altitude) / cycles;
  }
  setGear(context, aircraft, true);
  return climb;
}

double airToAirClimb(LiveAircraft& aircraft, int32_t cycles) {
  TrackPoint& cur = aircraft.history[0];
  TrackPoint& nxt = aircraft.history[1];
  const double agl = aircraft.altitudeAboveGround;
  if (aircraft.motion.landing) {
    if (cur.altitude == nxt.altitude && agl <= kLowAglFt && cur.verticalSpeed + nxt.verticalSpeed <= 100.0)
      return holdRate(aircraft, nxt, approachRate(aircraft, cur, nxt));
    return (nxt.altitude - aircraft.block.altitude) / cycles;
  }
  const double climb = (nxt.altitude - aircraft.block.altitude) / cycles;
  if (agl > kLowAglFt) return std::min(climb, aircraft.climbLimit);
  return std::min(aircraft.climbLimit, std::max(climb, kLowLeastClimb));
}

double legClimb(TrafficContext& context, LiveAircraft& aircraft, int32_t cycles) {
  const bool curAirborne = aircraft.history[0].airborne;
  const bool nxtAirborne = aircraft.history[1].airborne;
  if (!curAirborne && !nxtAirborne) return groundToGroundClimb(context, aircraft);
  if (!curAirborne) return climbTowards(aircraft, aircraft.history[1], cycles);
  if (!nxtAirborne) return landingLegClimb(context, aircraft, cycles);
  return airToAirClimb(aircraft, cycles);
}

void setPitchStep(LiveAircraft& aircraft, int32_t cycles) {
  const double target = airbornePitch(aircraft.history[1].verticalSpeed);
  const double most = categoryMotion(aircraft).pitchStep;
  aircraft.motion.pitchStep = std::clamp((target - aircraft.block.pitch) / cycles, -most, most);
}

// The turn to make during the leg (radians, (-pi, pi]).
double legTurn(const LiveAircraft& aircraft) {
  const TrackHistory& history = aircraft.history;
  const TrackPoint& nxt = history[1];
  const double aglLimit = aircraft.motion.landing ? 2000.0 : 1000.0;
  if (nxt.hasTrueHeading && nxt.hasRoll && aircraft.altitudeAboveGround < aglLimit)
    return angleDifference(nxt.trueHeading - aircraft.block.heading);
  if (history.size() < 3) return 0.0;
  return angleDifference(gf_bearingRad(positionOf(history[1]), positionOf(history[2])) - aircraft.block.heading);
}

void setBankStep(LiveAircraft& aircraft, double turn, int32_t cycles) {
  const TrackPoint& nxt = aircraft.history[1];
  if (nxt.hasRoll) {
    aircraft.motion.bankStep = (nxt.roll - aircraft.block.bank) / cycles;
    return;
  }
  const CategoryMotion& category = categoryMotion(aircraft);
  const double wanted = -std::clamp(turn, -category.largestBank, category.largestBank);
  aircraft.motion.bankStep = std::clamp((wanted - aircraft.block.bank) / cycles, -category.bankStep, category.bankStep);
}

void highConfiguration(TrafficContext& context, LiveAircraft& aircraft) {
  sim::ExchangeLists& exchange = context.simulator.exchange();
  setCabinLights(context, aircraft, true);
  narrowTolerances(aircraft);
  aircraft.motion.takingOff = false;
  aircraft.motion.landing = false;
  const double climbFpm = aircraft.history[0].verticalSpeed;
  const bool rotorcraft = isRotorcraft(aircraft);
  if (climbFpm <= -250.0 && aircraft.throttleIndex == 3) setThrottle(exchange, aircraft, rotorcraft ? 4 : 2);
  if (climbFpm > 400.0 && aircraft.throttleIndex == 4) setThrottle(exchange, aircraft, rotorcraft ? 4 : 3);
  const double agl = aircraft.altitudeAboveGround;
  if (agl >= kGearUpAglFt) {
    setGear(context, aircraft, false);
    gf_setFlaps(exchange, aircraft, 0);
  } else if (climbFpm <= 100.0) {
    if (aircraft.flapsIndex == 0) gf_setFlaps(exchange, aircraft, 1);
    if (agl < kSecondFlapsAglFt && aircraft.flapsIndex == 1) gf_setFlaps(exchange, aircraft, 2);
  }
}

void lightsAndConfiguration(TrafficContext& context, LiveAircraft& aircraft) {
  MotionValues& m = aircraft.motion;
  sim::ExchangeLists& exchange = context.simulator.exchange();
  if (aircraft.history[0].altitude >= kHighLightsFt) {
    if (m.aboveTenThousand) return;
    m.aboveTenThousand = true;
    m.belowTenThousand = false;
    sim::setLights(exchange, aircraft.objectId, {.navigation = true, .beacon = true, .cabin = true});
    setThrottle(exchange, aircraft, isRotorcraft(aircraft) ? 4 : 3);
    setGear(context, aircraft, false);
    gf_setFlaps(exchange, aircraft, 0);
    return;
  }
  if (!m.belowTenThousand) {
    m.belowTenThousand = true;
    m.aboveTenThousand = false;
    sim::setLights(exchange, aircraft.objectId,
                   {.navigation = true, .beacon = true, .landing = true, .taxi = true, .strobe = true, .logo = true,
                    .cabin = true});
  }
  if (aircraft.altitudeAboveGround > categoryMotion(aircraft).configurationHeightFt) {
    highConfiguration(context, aircraft);
  } else {
    approachConfiguration(context, aircraft);
  }
}

}  // namespace

double approachRate(const LiveAircraft& aircraft, const TrackPoint& cur, const TrackPoint& nxt) {
  if (aircraft.altitudeAboveGround <= 100.0) return -600.0;
  const double rate = (cur.verticalSpeed + nxt.verticalSpeed) / 2.0 - (qnh() - kStandardQnh) * 6.0;
  return std::min(rate, -601.0);
}

void airLegSetUp(TrafficContext& context, LiveAircraft& aircraft, int32_t legCycles) {
  if (aircraft.phase != FlightPhase::TakeOff && aircraft.phase != FlightPhase::Flying)
    changePhase(context, aircraft, FlightPhase::Flying);
  const TrackPoint& nxt = aircraft.history[1];
  aircraft.block.verticalSpeed = nxt.verticalSpeed / 60.0;
  aircraft.block.tas = nxt.tas;
  if (aircraft.motion.approachStage == 0) aircraft.motion.climbStep = legClimb(context, aircraft, legCycles);
  if (aircraft.phase != FlightPhase::TakeOff) setPitchStep(aircraft, legCycles);
  const double turn = legTurn(aircraft);
  aircraft.motion.headingRate = turn / legCycles;
  setBankStep(aircraft, turn, legCycles);
  lightsAndConfiguration(context, aircraft);
}

}  // namespace tfx
