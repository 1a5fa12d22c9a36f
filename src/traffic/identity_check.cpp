#include "traffic/identity_check.h"

#include "airports/airport.h"
#include "core/log.h"
#include "core/log_line.h"
#include "core/parameters.h"
#include "traffic/removal.h"

namespace tfx {
namespace {

void takeIfDifferent(std::string& mine, const std::string& reported) {
  if (!reported.empty() && reported != mine) mine = reported;
}

// Fills a missing end of the route, or takes a route that differs at both
// ends unless it is the way back to the park airport. True when the route changed.
bool takeRoute(TrafficContext& context, LiveAircraft& aircraft, const TrafficReport& report) {
  bool changed = false;
  if (aircraft.origin.empty() && !report.origin.empty()) {
    aircraft.origin = report.origin;
    changed = true;
  }
  if (aircraft.destination.empty() && !report.destination.empty()) {
    aircraft.destination = report.destination;
    changed = true;
  }
  if (report.origin.empty() || report.destination.empty() || report.origin == aircraft.origin ||
      report.destination == aircraft.destination) {
    return changed;
  }
  const bool returnToPark = airports::parkAirportIsSet() && aircraft.origin == airports::parkAirport().code &&
                            report.destination == aircraft.origin;
  if (returnToPark) return changed;
  aircraft.origin = report.origin;
  aircraft.destination = report.destination;
  if (aircraft.onGroundConfirmed && aircraft.phase != FlightPhase::Parking && aircraft.phase != FlightPhase::Parked) {
    changePhase(context, aircraft, FlightPhase::Taxi);
    aircraft.predictedTrack = aircraft.block.heading;
  }
  return true;
}

bool takeRegistration(TrafficContext& context, LiveAircraft& aircraft, const TrafficReport& report) {
  if (report.registration.empty() || report.registration == aircraft.registration) return false;
  const LiveryQuery query{aircraft.airline, aircraft.type,  report.registration,
                          aircraft.category, aircraft.cargo, ""};
  const auto title = context.links.livery.findLiveryLiveAc(query);
  aircraft.registration = report.registration;
  return title && *title != aircraft.title;
}

// Nullopt when the report is to be refused, else whether the callsign changed.
std::optional<bool> takeCallsign(TrafficContext& context, LiveAircraft& aircraft, const TrafficReport& report) {
  const std::string& callsign = report.callsign;
  if (callsign.empty() || callsign == aircraft.callsign || callsign == aircraft.registration) return false;
  if (!isProvisionalCallsign(callsign)) {
    applyGhostRule(context, callsign);
  } else if (realFlightPresent(context.state, callsign)) {
    return std::nullopt;
  }
  renameAircraft(aircraft, callsign);
  return true;
}

}  // namespace

void renameAircraft(LiveAircraft& aircraft, const std::string& callsign) {
  aircraft.callsign = callsign;
  aircraft.firstCallsign = callsign;
  aircraft.coupledCallsign.clear();
}

bool passesIdentityCheck(TrafficContext& context, LiveAircraft& aircraft, const TrafficReport& report) {
  if (aircraft.motion.takingOff || aircraft.motion.landing) return true;
  if (aircraft.state == SimState::Buffer) {
    takeIfDifferent(aircraft.destination, report.destination);
    takeIfDifferent(aircraft.origin, report.origin);
    if (!report.callsign.empty() && report.callsign != aircraft.callsign) renameAircraft(aircraft, report.callsign);
    takeIfDifferent(aircraft.registration, report.registration);
    return true;
  }
  if (aircraft.state != SimState::Active || aircraft.phase == FlightPhase::PushingBack ||
      aircraft.motion.holdCount >= 1) {
    return true;
  }
  bool changed = takeRoute(context, aircraft, report);
  changed = takeRegistration(context, aircraft, report) || changed;
  const std::optional<bool> callsignChanged = takeCallsign(context, aircraft, report);
  if (!callsignChanged) return false;
  changed = *callsignChanged || changed;
  if (!changed || !GUID_CHANGES.value()) return true;
  if (LOG.value()) writeLogLine("          {} respawns", aircraftName(aircraft));
  liveryRespawn(context, aircraft);
  return false;
}

}  // namespace tfx
