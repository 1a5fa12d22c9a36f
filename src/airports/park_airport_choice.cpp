#include "airports/park_airport_choice.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

#include "airports/airport.h"
#include "airports/closest_airport.h"
#include "airports/closest_stand.h"
#include "airports/parked_file.h"
#include "airports/parking_state.h"
#include "airports/save_learned.h"
#include "airports/stand_file_place.h"
#include "airports/static_parking.h"
#include "airports/static_selection.h"
#include "core/log.h"
#include "core/message_line.h"
#include "core/parameters.h"

namespace tfx::airports {
namespace {

constexpr double kMovedDegrees = 1e-8;

bool moved(const LatLon& from, const LatLon& to) {
  return std::abs(from.lat - to.lat) >= kMovedDegrees || std::abs(from.lon - to.lon) >= kMovedDegrees;
}

bool withinSight(double distanceNm, const UserAircraft& user) {
  return distanceNm <= AIRP_RANGE.value() && user.heightAboveGroundFt <= AIRP_HEIGHT.value();
}

void refreshDistances(ParkingState& state, const UserAircraft& user) {
  ParkAirportList& list = state.parkAirports;
  if (list.empty()) return;
  const bool userMoved = moved(state.lastUserPosition, user.position);
  state.lastUserPosition = user.position;
  if (userMoved && DESTINATION.empty()) {
    for (ParkAirportEntry& entry : list) entry.distance = gf_distanceNm(user.position, entry.position());
    std::stable_sort(list.begin(), list.end(),
                     [](const ParkAirportEntry& a, const ParkAirportEntry& b) { return a.distance < b.distance; });
    return;
  }
  // With a destination set the list keeps its order, but the first entry's
  // distance follows the user, moving or not, so that it comes in sight.
  list.front().distance = gf_distanceNm(user.position, list.front().position());
}

void chooseInTheAir(ParkingState& state, const UserAircraft& user, const AirportDatabase& database) {
  if (state.parkAirports.empty()) return;
  const ParkAirportEntry& nearest = state.parkAirports.front();
  if (nearest.code == state.airportWithoutStands || !withinSight(nearest.distance, user) ||
      !gf_setParkAirport(database, nearest.code)) {
    return;
  }
  showMessage(fmt::format("{} in sight at {:.1F} nm", nearest.code, nearest.distance));
  state.statics.calculateNow = true;
}

void chooseOnTheGround(ParkingState& state, const UserAircraft& user, const AirportDatabase& database) {
  const std::string& site = state.site;
  const Airport* airport = gf_closestAirport(database, user.position, [&site](const Airport& a, const LatLon& p) {
    return gf_readDestApfForClosestStand(a, p, site);
  });
  if (airport == nullptr) {
    showMessage("User aircraft on the ground, no airport in sight");
    return;
  }
  if (airport->code == state.airportWithoutStands) return;
  if (gf_findAirportFile(airport->code, site).empty()) {
    state.airportWithoutStands = airport->code;
    showMessage(fmt::format("User aircraft on the ground at {}, no airport file found", airport->code));
    return;
  }
  writeLog(fmt::format("User aircraft on the ground at {}", airport->code));
  if (gf_setParkAirport(database, airport->code)) state.statics.calculateNow = true;
}

}  // namespace

void clearParkAirport(ParkingState& state, std::chrono::system_clock::time_point now) {
  ParkStands& stands = state.stands;
  if (stands.standsLoaded && (stands.updates > 0 || stands.parametersChanged)) {
    // Options a calculation disabled are options all the same.
    enableAllOptions(stands.parkStands);
    gf_saveLearned(stands, now);
  }
  stands.handmade = false;
  stands.standsLoaded = false;
  stands.rtTrafficWeek = 0;
  stands.parkingControlsEnabled = false;
  stands.parkStands.clear();
  stands.qualityText.clear();
  stands.info = {};
  state.statics.staticList.clear();
  state.statics.inProgress = false;
  state.statics.reservedStand.clear();
  state.readSucceeded = false;
  parkAirport() = {};
}

void removeParkAirportAircraft(ParkingState& state, ParkedTraffic& traffic, std::chrono::system_clock::time_point now) {
  StaticParking& statics = state.statics;
  statics.staticList.clear();
  statics.placedStatic.clear();
  statics.liveParked.clear();
  traffic.collectStatic(statics.placedStatic);
  traffic.collectParkedLive(statics.liveParked);
  for (const auto* list : {&statics.placedStatic, &statics.liveParked}) {
    for (const ParkedAircraft& aircraft : *list) traffic.removeParked(aircraft.hexid, ParkedRemoval::OutOfSight);
  }
  clearParkAirport(state, now);
}

void lf_findParkAirport(ParkingState& state, const UserAircraft& user, const AirportDatabase& database) {
  if (user.onGround) {
    chooseOnTheGround(state, user, database);
  } else {
    chooseInTheAir(state, user, database);
  }
}

void lf_checkParkAirportInSight(ParkingState& state, ParkedTraffic& traffic, const UserAircraft& user,
                                std::chrono::system_clock::time_point now) {
  if (user.onGround) return;
  const Airport& park = parkAirport();
  const double distance = gf_distanceNm(user.position, park.position());
  if (!withinSight(distance, user)) {
    writeLog(fmt::format("\n{} {} is out of sight ({:.1F} nm), parked aircraft will be removed", timeOfDayUtc(now),
                         gf_airportDisplayName(park), distance));
    removeParkAirportAircraft(state, traffic, now);
    return;
  }
  if (state.parkAirports.empty()) return;
  const ParkAirportEntry& nearest = state.parkAirports.front();
  if (nearest.code == park.code || !withinSight(nearest.distance, user) || nearest.distance > distance) return;
  writeLog(fmt::format("\n{} {} is in sight ({:.1F} nm), parked aircraft at {} will be removed first",
                       timeOfDayUtc(now), nearest.code, nearest.distance, gf_airportDisplayName(park)));
  removeParkAirportAircraft(state, traffic, now);
}

void lf_checkParkAirport(ParkingState& state, ParkedTraffic& traffic, const UserAircraft& user,
                         const AirportDatabase& database, std::chrono::system_clock::time_point now) {
  StaticParking& statics = state.statics;
  if (statics.inProgress && statics.staticList.empty() && !statics.renewalPending) {
    statics.inProgress = false;
    state.stands.parkingControlsEnabled = true;
  }
  if (statics.calculateNow) {
    statics.calculateNow = false;
    const std::string error = lf_readParkedFile(state, user, now);
    if (error.empty()) {
      lf_calcStaticParking(state, traffic, user, now);
    } else {
      showError(error);
      // Looked for again only once the user has been at another airport,
      // not in every cycle.
      state.airportWithoutStands = parkAirport().code;
      clearParkAirport(state, now);
    }
    return;
  }
  if (!user.positionKnown()) return;
  refreshDistances(state, user);
  if (!parkAirportIsSet()) {
    lf_findParkAirport(state, user, database);
  } else {
    lf_checkParkAirportInSight(state, traffic, user, now);
  }
}

}  // namespace tfx::airports
