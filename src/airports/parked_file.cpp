#include "airports/parked_file.h"

#include <fmt/format.h>

#include <algorithm>

#include "airports/airport.h"
#include "airports/my_park_airports.h"
#include "airports/parking_state.h"
#include "airports/read_apf.h"
#include "airports/stand_file_place.h"
#include "airports/stand_geometry.h"
#include "core/parameters.h"

namespace tfx::airports {
namespace {

// Soft options are learned only where the file knows the airport poorly.
constexpr int kWellKnownQuality = 45;
constexpr size_t kSmallAirportStands = 20;

void decideSoftLearning(ParkingState& state) {
  const ParkStands& stands = state.stands;
  state.statics.learnSoftAllowed =
      stands.quality.real < kWellKnownQuality || stands.parkStands.size() < kSmallAirportStands;
  if (state.statics.learnSoftAllowed || !LEARN_SOFT.value()) return;
  LEARN_SOFT.set(false);
  LEARN_SOFT.showInControl();
  state.stands.parametersChanged = true;
}

// Only a stand within the user-stand range counts as the user's: flying in,
// the nearest stand says nothing about where the user parks.
void rememberUserStand(ParkingState& state, const UserAircraft& user) {
  if (!user.positionKnown()) return;
  const int ownIndex = nearestStandWithin(state.stands.parkStands, user.position, kUserStandRangeNm);
  if (ownIndex == 0) return;
  const Stand* own = &state.stands.parkStands[static_cast<size_t>(ownIndex - 1)];
  // The list file separates fields by commas and entries by line ends: a
  // stand id holding one cannot be kept there.
  if (own->id.find_first_of(",\r\n") != std::string::npos) return;
  const Airport& park = parkAirport();
  ParkAirportList& list = state.parkAirports;
  if (list.empty() || list.front().code != park.code) {
    // Listed further down, the airport moves to the front rather than appearing twice.
    std::erase_if(list, [&](const ParkAirportEntry& entry) { return entry.code == park.code; });
    list.insert(list.begin(), {.code = park.code,
                               .stand = own->id,
                               .lat = park.lat,
                               .lon = park.lon,
                               .distance = gf_distanceNm(user.position, park.position())});
  } else if (list.front().stand != own->id) {
    list.front().stand = own->id;
  } else {
    return;
  }
  lf_updateMyParkAirports(park.code, own->id);
}

void takeReservedStand(ParkingState& state) {
  const ParkAirportList& list = state.parkAirports;
  std::string& reserved = state.statics.reservedStand;
  reserved.clear();
  if (list.empty() || list.front().code != parkAirport().code || list.front().stand.empty()) return;
  const std::vector<Stand>& stands = state.stands.parkStands;
  if (std::any_of(stands.begin(), stands.end(), [&](const Stand& stand) { return stand.id == list.front().stand; })) {
    reserved = list.front().stand;
  }
}

}  // namespace

void recordUserStand(ParkingState& state, const UserAircraft& user) {
  rememberUserStand(state, user);
  takeReservedStand(state);
}

std::string lf_readParkedFile(ParkingState& state, const UserAircraft& user, std::chrono::system_clock::time_point now) {
  const std::string& code = parkAirport().code;
  const std::string file = gf_findAirportFile(code, state.site);
  state.readSucceeded = false;
  if (file.empty()) return fmt::format("{} {} not found", "lf_readParkedFile", code);
  if (file.find("unknown") != std::string::npos) {
    return fmt::format("{} {} has publisher:{}, {}", "lf_readParkedFile", code, "unknown", file);
  }
  std::string error = gf_readApf(file, state.stands, now, state.site);
  if (error.empty()) decideSoftLearning(state);
  recordUserStand(state, user);
  state.readSucceeded = error.empty();
  return error;
}

}  // namespace tfx::airports
