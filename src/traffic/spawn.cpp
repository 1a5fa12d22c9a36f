#include "traffic/spawn.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/log.h"
#include "core/log_line.h"
#include "traffic/motion_math.h"
#include "traffic/ground_stands.h"
#include "traffic/parking_limits.h"
#include "traffic/removal.h"
#include "traffic/spawn_stand.h"

namespace tfx {
namespace {

constexpr double kGroundPitch = 0.010471975511965976;  // 0.6 degrees

void markStationaryStart(TrackHistory& history) {
  if (!history[1].stationary) {
    history[0].stationary = false;
    return;
  }
  history[0].stationary = true;
  history[0].groundSpeed = 0.0;
  history[1].groundSpeed = 0.0;
  if (history.size() > 2 && history[2].stationary) history[2].groundSpeed = 0.0;
}

// False when no livery fits; the record is dropped then.
bool chooseLivery(TrafficContext& context, LiveAircraft& aircraft) {
  if (!aircraft.title.empty()) return true;
  TrafficState& state = context.state;
  if (const auto remembered = state.rememberedLiveries.find(aircraft.hexid);
      remembered != state.rememberedLiveries.end()) {
    aircraft.title = remembered->second;
    return true;
  }
  const std::string description = longName(aircraft);
  const auto title = context.links.livery.findLiveryLiveAc(liveryQueryOf(aircraft, description));
  if (!title) {
    if (!aircraft.registration.empty()) state.noLiveryKeys.insert(liveryKey(aircraft));
    dropAircraft(context, aircraft, "no-livery");
    return false;
  }
  aircraft.title = *title;
  state.rememberedLiveries.emplace(aircraft.hexid, *title);
  return true;
}

// False when the aircraft was dropped.
bool placeFirstTime(TrafficContext& context, LiveAircraft& aircraft) {
  TrackPoint& first = aircraft.history.front();
  if (first.airborne) {
    changePhase(context, aircraft, FlightPhase::Flying);
    return true;
  }
  bool drop = false;
  const airports::Stand* stand = standAtSpawn(context, aircraft, drop);
  if (drop) {
    dropAircraft(context, aircraft, "parking-conflict");
    return false;
  }
  if (stand == nullptr) {
    changePhase(context, aircraft, FlightPhase::Taxi);
    return true;
  }
  takeStand(aircraft, *stand);
  changePhase(context, aircraft, FlightPhase::Parked);
  aircraft.parkedSince = std::chrono::steady_clock::now().time_since_epoch().count();
  aircraft.history.truncate(1);
  first.lat = stand->lat;
  first.lon = stand->lon;
  first.track = aircraft.standHeading * kRadToDeg;
  occupyStand(context, aircraft);
  applyParkingLimits(context);
  return true;
}

double firstHeading(const LiveAircraft& aircraft) {
  if (aircraft.savedHeadingValid) return aircraft.savedHeading;
  if (aircraft.phase == FlightPhase::Parked) return aircraft.standHeading;
  const TrackPoint& first = aircraft.history[0];
  if (aircraft.history.size() < 2 || aircraft.history[1].stationary) return first.track * kDegToRad;
  return gf_bearingRad({first.lat, first.lon}, {aircraft.history[1].lat, aircraft.history[1].lon});
}

void placeBlock(LiveAircraft& aircraft) {
  const TrackPoint& first = aircraft.history.front();
  sim::PositionBlock& block = aircraft.block;
  block.lat = first.lat;
  block.lon = first.lon;
  block.altitude = first.altitude;
  block.verticalSpeed = first.verticalSpeed / 60.0;
  block.tas = first.tas;
  block.bank = first.hasRoll ? first.roll : 0.0;
  block.pitch = first.airborne ? airbornePitch(first.verticalSpeed) : kGroundPitch;
  block.heading = wrapHeading(firstHeading(aircraft));
}

}  // namespace

void spawnLiveAc(TrafficContext& context, LiveAircraft& aircraft) {
  if (aircraft.history.size() < 2) {
    writeLogLine("{} sz:{}", "spawnLiveAc", aircraft.history.size());
    return;
  }
  markStationaryStart(aircraft.history);
  if (aircraft.phase == FlightPhase::Birth) {
    if (!chooseLivery(context, aircraft) || !placeFirstTime(context, aircraft)) return;
  }
  placeBlock(aircraft);
  aircraft.userCollisionWait = false;
  aircraft.state = SimState::Adding2Sim;
  context.state.addingStack.push_back(aircraft.hexid);
  context.links.observer.spawned(aircraft);
  context.state.staticCheckList.push_back(aircraft.hexid);
  if (!isProvisionalCallsign(aircraft.callsign)) applyGhostRule(context, aircraft.callsign);
}

}  // namespace tfx
