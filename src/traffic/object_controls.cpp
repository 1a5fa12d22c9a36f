#include "traffic/object_controls.h"

#include "aircraft/aircraft_category.h"
#include "core/log.h"
#include "core/parameters.h"
#include "core/random.h"
#include "sim/object_events.h"
#include "sim/sim_ids.h"

namespace tfx {
namespace {

constexpr double kHighLightsCeilingFt = 10000.0;
constexpr double kCabinLightsAglFt = 2000.0;
// A parked passenger aircraft has its cabin lit nine times in ten (always without RANDOM).
constexpr int kCabinDraws = 10;
constexpr int kCabinLitDraws = 9;

bool isRotorcraft(const LiveAircraft& aircraft) {
  return aircraft.category == static_cast<uint32_t>(AircraftCategory::Rotorcraft);
}

void retractSpoilers(sim::ExchangeLists& exchange, const LiveAircraft& aircraft) {
  if (!isRotorcraft(aircraft)) exchange.queueEvent(aircraft.objectId, sim::kEvSpoilers, 0);
}

void lightUpAirborne(sim::ExchangeLists& exchange, LiveAircraft& aircraft) {
  exchange.queueEvent(aircraft.objectId, sim::kEvEngineAutoStart, 0);
  retractSpoilers(exchange, aircraft);
  const bool low = aircraft.block.altitude <= kHighLightsCeilingFt;
  sim::setLights(exchange, aircraft.objectId,
                 {.navigation = true,
                  .beacon = true,
                  .landing = low,
                  .taxi = false,
                  .strobe = true,
                  .logo = low,
                  .cabin = aircraft.altitudeAboveGround >= kCabinLightsAglFt});
}

void lightUpOnGround(sim::ExchangeLists& exchange, LiveAircraft& aircraft) {
  retractSpoilers(exchange, aircraft);
  const bool parked = aircraft.phase == FlightPhase::Parked;
  const bool taxi = aircraft.phase == FlightPhase::Taxi;
  exchange.queueEvent(aircraft.objectId, parked ? sim::kEvEngineAutoShutdown : sim::kEvEngineAutoStart, 0);
  if (parked) {
    sim::setLights(exchange, aircraft.objectId,
                   {.navigation = NAV_LIGHTS_WHILE_PARKED.value(),
                    .beacon = false,
                    .landing = false,
                    .taxi = false,
                    .strobe = false,
                    .logo = true,
                    .cabin = true});
  } else {
    lightUpTaxiing(exchange, aircraft, taxi);
  }
  setThrottle(exchange, aircraft, isRotorcraft(aircraft) ? 4 : 0);
  gf_setFlaps(exchange, aircraft, taxi ? 1 : 0);
}

}  // namespace

void setThrottle(sim::ExchangeLists& exchange, LiveAircraft& aircraft, uint32_t index) {
  if (index == aircraft.throttleIndex) return;
  if (index < sim::kThrottleValues.size()) {
    exchange.queueEvent(aircraft.objectId, sim::kEvThrottle, sim::kThrottleValues[index]);
  }
  aircraft.throttleIndex = index;
}

void gf_setFlaps(sim::ExchangeLists& exchange, LiveAircraft& aircraft, uint32_t index) {
  if (index == aircraft.flapsIndex || isRotorcraft(aircraft)) return;
  if (index < sim::kFlapsValues.size()) {
    exchange.queueEvent(aircraft.objectId, sim::kEvFlaps, sim::kFlapsValues[index]);
  } else {
    writeLog("gf_setFlaps: invalid flaps index");
  }
  aircraft.flapsIndex = index;
}

void lightUpTaxiing(sim::ExchangeLists& exchange, const LiveAircraft& aircraft, bool taxiLight) {
  sim::setLights(exchange, aircraft.objectId,
                 {.navigation = true,
                  .beacon = true,
                  .landing = false,
                  .taxi = taxiLight,
                  .strobe = false,
                  .logo = true,
                  .cabin = true});
}

void setParkedLights(sim::ExchangeLists& exchange, uint32_t objectId, bool cargoStand) {
  sim::setLights(exchange, objectId,
                 {.navigation = NAV_LIGHTS_WHILE_PARKED.value(),
                  .beacon = false,
                  .landing = false,
                  .taxi = false,
                  .strobe = false,
                  .logo = true,
                  .cabin = !cargoStand && randomIndex(kCabinDraws) < kCabinLitDraws});
}

void lightUpParked(sim::ExchangeLists& exchange, LiveAircraft& aircraft) {
  setThrottle(exchange, aircraft, 0);
  gf_setFlaps(exchange, aircraft, 0);
  exchange.queueEvent(aircraft.objectId, sim::kEvEngineAutoShutdown, 0);
  setParkedLights(exchange, aircraft.objectId, aircraft.cargoStand);
}

void lightUpLiveAircraft(sim::ExchangeLists& exchange, LiveAircraft& aircraft) {
  if (aircraft.history.empty() || aircraft.history.front().airborne) {
    lightUpAirborne(exchange, aircraft);
  } else {
    lightUpOnGround(exchange, aircraft);
  }
}

}  // namespace tfx
