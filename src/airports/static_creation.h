#pragma once
// Handing the chosen static aircraft to the live traffic, which creates them
// one by one: in which order, under which hexid, and which are dropped
// because a live aircraft got there first.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "airports/parked_traffic.h"
#include "airports/stand.h"
#include "airports/static_parking.h"

namespace tfx::airports {

// Static aircraft carry hexids up to this; live aircraft carry larger ones.
inline constexpr uint32_t kLastStaticHexid = 10000;

// Two parked aircraft touch when closer than this many times their summed half wingspans.
inline constexpr double kClearanceFactor = 1.1;

struct StaticToCreate {
  StaticAircraft aircraft;
  uint32_t hexid = 0;
};

// Orders the list so that, taken from its end, the stands nearest to the
// user are filled first.
void orderForCreation(std::vector<StaticAircraft>& list, std::span<const Stand> stands, const UserAircraft& user);

// The lowest hexid from 1 to 10000 that no placed static aircraft carries;
// 0 when all are taken.
uint32_t freeStaticHexid(std::span<const ParkedAircraft> placedStatic);

// Whether a live aircraft stands on the stand, or so near it that the
// static aircraft would touch it.
bool liveAircraftInTheWay(const StaticAircraft& aircraft, const Stand& stand, std::span<const ParkedAircraft> liveParked);

// Takes entries from the end of the static list until one can be created;
// entries a live aircraft is in the way of are dropped. None when the list
// is used up or no hexid is free.
std::optional<StaticToCreate> takeNextStatic(ParkingState& state, const ParkedTraffic& traffic);

}  // namespace tfx::airports
