#include "airports/static_creation.h"

#include <fmt/format.h>

#include <algorithm>

#include "aircraft/aircraft_queries.h"
#include "airports/parking_state.h"
#include "core/log.h"

namespace tfx::airports {
void orderForCreation(std::vector<StaticAircraft>& list, std::span<const Stand> stands, const UserAircraft& user) {
  if (!user.positionKnown()) return;
  std::vector<double> distance(stands.size() + 1, 0.0);
  for (const StaticAircraft& aircraft : list) {
    const Stand& stand = stands[static_cast<size_t>(aircraft.standIndex - 1)];
    distance[static_cast<size_t>(aircraft.standIndex)] = gf_distanceNm(user.position, stand.position());
  }
  // Creation order is nearest to the user first: the list is taken from its
  // end, so the farthest stand comes first in it.
  std::stable_sort(list.begin(), list.end(), [&](const StaticAircraft& a, const StaticAircraft& b) {
    return distance[static_cast<size_t>(a.standIndex)] > distance[static_cast<size_t>(b.standIndex)];
  });
}

uint32_t freeStaticHexid(std::span<const ParkedAircraft> placedStatic) {
  std::vector<uint32_t> used;
  used.reserve(placedStatic.size());
  for (const ParkedAircraft& placed : placedStatic) used.push_back(placed.hexid);
  std::sort(used.begin(), used.end());
  // Static hexids run from 1 to 10000, skipping those in use.
  uint32_t candidate = 1;
  for (const uint32_t hexid : used) {
    if (hexid > candidate) break;
    if (hexid == candidate) ++candidate;
  }
  return candidate <= kLastStaticHexid ? candidate : 0;
}

bool liveAircraftInTheWay(const StaticAircraft& aircraft, const Stand& stand, std::span<const ParkedAircraft> liveParked) {
  const double halfSpan = gf_halfWingspan(aircraft.type);
  return std::any_of(liveParked.begin(), liveParked.end(), [&](const ParkedAircraft& live) {
    return live.standIndex == stand.index ||
           gf_distanceNm(live.position, stand.position()) < kClearanceFactor * (halfSpan + live.halfWingspanNm);
  });
}

std::optional<StaticToCreate> takeNextStatic(ParkingState& state, const ParkedTraffic& traffic) {
  StaticParking& statics = state.statics;
  if (statics.staticList.empty()) return std::nullopt;
  statics.liveParked.clear();
  statics.placedStatic.clear();
  traffic.collectParkedLive(statics.liveParked);
  traffic.collectStatic(statics.placedStatic);
  const uint32_t hexid = freeStaticHexid(statics.placedStatic);
  if (hexid == 0) return std::nullopt;
  const std::vector<Stand>& stands = state.stands.parkStands;
  while (!statics.staticList.empty()) {
    StaticAircraft aircraft = std::move(statics.staticList.back());
    statics.staticList.pop_back();
    if (aircraft.standIndex < 1 || aircraft.standIndex > std::ssize(stands)) continue;
    const Stand& stand = stands[static_cast<size_t>(aircraft.standIndex - 1)];
    // Live aircraft move while the list is created: an entry is dropped when
    // one stands on its stand or within 1.1 x their two half wingspans.
    if (liveAircraftInTheWay(aircraft, stand, statics.liveParked)) {
      writeLog(fmt::format("{:8}: {:8} static not created, a live aircraft stands there", stand.id, aircraft.callsign));
      continue;
    }
    return StaticToCreate{.aircraft = std::move(aircraft), .hexid = hexid};
  }
  return std::nullopt;
}

}  // namespace tfx::airports
