#include "airports/static_renewal.h"

#include <fmt/format.h>

#include <algorithm>
#include <ctime>

#include "aircraft/aircraft_queries.h"
#include "airports/airport.h"
#include "airports/parking_state.h"
#include "airports/static_creation.h"
#include "airports/static_selection.h"
#include "core/message_line.h"
#include "core/parameters.h"

namespace tfx::airports {
namespace {

constexpr int kRenewalMinutes = 20;

// Callsigns compare exactly, as the feed and the stand files write them.
bool sameAircraft(const ParkedAircraft& placed, const StaticAircraft& chosen) {
  return placed.airline == chosen.airline && placed.type == chosen.type && placed.callsign == chosen.callsign;
}

bool sameAircraft(const ParkedAircraft& placed, const StandOption& option) {
  const std::string& key = option.registration.empty() ? option.callsign : option.registration;
  const std::string& placedKey = placed.registration.empty() ? placed.callsign : placed.registration;
  return option.airline == placed.airline && option.type == placed.type && key == placedKey;
}

bool inLiveTraffic(const ParkedTraffic& traffic, const ParkedAircraft& placed) {
  for (const std::string* name : {&placed.registration, &placed.callsign, &placed.callsignNote}) {
    if (!name->empty() && traffic.presentInSimulator(*name)) return true;
  }
  return false;
}

// Whether one of the stand's options for the aircraft holds a half-hour
// from `fit` half-hours before now up to now, the previous day included.
bool stillCovered(const Stand& stand, const ParkedAircraft& placed, const DayHalfHour& when, int fit) {
  for (int shift = 0; shift <= fit; ++shift) {
    const DayHalfHour target = shiftedBack(when, shift);
    for (const StandOption& option : stand.options) {
      if ((WEEK.value() || option.day == target.day) && option.halfHours.test(static_cast<size_t>(target.halfHour)) &&
          sameAircraft(placed, option)) {
        return true;
      }
    }
  }
  return false;
}

bool crowdedByNewNeighbour(std::span<const Stand> stands, const ParkedAircraft& placed,
                           const std::vector<StaticAircraft>& chosen) {
  const Stand& stand = stands[static_cast<size_t>(placed.standIndex - 1)];
  return std::any_of(chosen.begin(), chosen.end(), [&](const StaticAircraft& entry) {
    if (!std::binary_search(stand.overlaps.begin(), stand.overlaps.end(), entry.standIndex)) return false;
    const Stand& neighbour = stands[static_cast<size_t>(entry.standIndex - 1)];
    return gf_distanceNm(neighbour.position(), placed.position) < gf_halfWingspan(entry.type) + placed.halfWingspanNm;
  });
}

// A live aircraft parked on the same stand, or near enough to touch it.
bool liveAircraftBeside(const ParkedAircraft& placed, const std::vector<ParkedAircraft>& liveParked) {
  return std::any_of(liveParked.begin(), liveParked.end(), [&](const ParkedAircraft& live) {
    return live.standIndex == placed.standIndex ||
           gf_distanceNm(live.position, placed.position) < kClearanceFactor * (live.halfWingspanNm + placed.halfWingspanNm);
  });
}

enum class Verdict { Stays, StaysChosenAgain, Removed };

Verdict judge(const ParkingState& state, const ParkedTraffic& traffic, const ParkedAircraft& placed, int fit) {
  const std::vector<Stand>& stands = state.stands.parkStands;
  const std::vector<StaticAircraft>& chosen = state.statics.staticList;
  if (placed.standIndex < 1 || placed.standIndex > std::ssize(stands) || inLiveTraffic(traffic, placed) ||
      liveAircraftBeside(placed, state.statics.liveParked)) {
    return Verdict::Removed;
  }
  const auto again = std::find_if(chosen.begin(), chosen.end(),
                                  [&](const StaticAircraft& entry) { return entry.standIndex == placed.standIndex; });
  if (again != chosen.end()) return sameAircraft(placed, *again) ? Verdict::StaysChosenAgain : Verdict::Removed;
  if (crowdedByNewNeighbour(stands, placed, chosen)) return Verdict::Removed;
  const Stand& stand = stands[static_cast<size_t>(placed.standIndex - 1)];
  return stillCovered(stand, placed, state.statics.when, fit) ? Verdict::Stays : Verdict::Removed;
}

// More live aircraft parked than static parking wants: the longest parked go.
void removeSurplusLive(StaticParking& statics, ParkedTraffic& traffic, int wanted) {
  const int surplus = static_cast<int>(statics.liveParked.size()) - wanted;
  if (wanted <= 0 || surplus <= 0) return;
  showMessage(fmt::format("Parking adjustments: {} more live ac than wanted", surplus));
  for (int i = 0; i < surplus; ++i) traffic.removeParked(statics.liveParked[static_cast<size_t>(i)].hexid, ParkedRemoval::MaxPark);
  statics.liveParked.erase(statics.liveParked.begin(), statics.liveParked.begin() + surplus);
}

}  // namespace

int minutesToNextRenewal(std::chrono::system_clock::time_point now) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  return kRenewalMinutes - utc.tm_min % kRenewalMinutes;
}

bool requestParkingUpdate(ParkingState& state) {
  if (!state.stands.standsLoaded || state.statics.renewalPending) return false;
  state.statics.renewalPending = true;
  return true;
}

bool requestRenewal(ParkingState& state) { return !INITIAL_LOAD_ONLY.value() && requestParkingUpdate(state); }

void renewalStep(ParkingState& state, ParkedTraffic& traffic, const UserAircraft& user,
                 std::chrono::system_clock::time_point now) {
  StaticParking& statics = state.statics;
  if (!statics.renewalPending) return;
  if (!statics.renewalFlushed) {
    // The first step only stops creating the rest of the list: static
    // aircraft that stay are never removed and made again.
    statics.staticList.clear();
    statics.inProgress = true;
    statics.renewalFlushed = true;
    return;
  }
  statics.renewalFlushed = false;
  statics.renewalPending = false;
  if (parkAirportIsSet() && state.stands.standsLoaded && !state.stands.parkStands.empty()) {
    lf_parkingAdjustments(state, traffic, user, now);
  } else {
    statics.inProgress = false;
  }
}

void lf_parkingAdjustments(ParkingState& state, ParkedTraffic& traffic, const UserAircraft& user,
                           std::chrono::system_clock::time_point now) {
  StaticParking& statics = state.statics;
  std::vector<Stand>& stands = state.stands.parkStands;
  const int wanted = beginCalculation(state, user, now);

  traffic.collectParkedLive(statics.liveParked);
  removeSurplusLive(statics, traffic, wanted);
  for (const ParkedAircraft& live : statics.liveParked) {
    if (live.standIndex >= 1 && live.standIndex <= std::ssize(stands)) markTaken(stands, live.standIndex);
  }
  traffic.collectStatic(statics.placedStatic);

  // The stands are chosen as a calculation of now would choose them, beside
  // the live aircraft; the static aircraft already there are then compared.
  const int live = static_cast<int>(statics.liveParked.size());
  selectRealThenSoft(state, traffic, live, wanted);
  const int fit = std::clamp(std::max(statics.shown.realFit, statics.shown.softFit), 0, 47);

  int staying = 0;
  std::vector<uint32_t> removals;
  for (const ParkedAircraft& placed : statics.placedStatic) {
    switch (judge(state, traffic, placed, fit)) {
      case Verdict::StaysChosenAgain:
        std::erase_if(statics.staticList,
                      [&](const StaticAircraft& entry) { return entry.standIndex == placed.standIndex; });
        ++staying;
        break;
      case Verdict::Stays:
        // A staying aircraft keeps its registration to itself.
        std::erase_if(statics.staticList, [&](const StaticAircraft& entry) {
          return !placed.registration.empty() && entry.registration == placed.registration;
        });
        ++staying;
        break;
      case Verdict::Removed: removals.push_back(placed.hexid); break;
    }
  }
  // Staying aircraft count against the wanted number; the list is cut from its end.
  const auto room = static_cast<size_t>(std::max(0, wanted - live - staying));
  if (statics.staticList.size() > room) statics.staticList.resize(room);
  statics.shown.found = staying + static_cast<int>(statics.staticList.size());

  showMessage(fmt::format("Parking adjustments: {} to be removed, {} to be added", removals.size(),
                          statics.staticList.size()));
  for (const uint32_t hexid : removals) traffic.removeParked(hexid, ParkedRemoval::Renewal);
  noteAverageFit(statics);
  orderForCreation(statics.staticList, stands, user);
  statics.inProgress = !statics.staticList.empty();
  state.stands.parkingControlsEnabled = !statics.inProgress;
}

}  // namespace tfx::airports
