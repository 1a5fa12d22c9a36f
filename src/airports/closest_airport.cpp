#include "airports/closest_airport.h"

#include <fmt/format.h>

#include "core/log.h"

namespace tfx::airports {
namespace {

constexpr double kAtAirportNm = 5.0;
constexpr double kFarNm = 100.0;

}  // namespace

const Airport* gf_closestAirport(const AirportDatabase& database, const LatLon& position,
                                 const NearestStandQuery& nearestStand) {
  double best = kFarNm;
  const Airport* closest = nullptr;
  const Airport* neighbour = nullptr;
  for (const Airport& airport : database) {
    const double distance = gf_distanceNm(position, airport.position());
    if (distance <= kAtAirportNm && distance < best) {
      if (closest != nullptr) neighbour = closest;
      closest = &airport;
      best = distance;
    }
  }
  if (closest == nullptr || neighbour == nullptr) return closest;
  writeLog(fmt::format("Airport {} is closest, neighbour is {}", closest->code, neighbour->code));
  const NearestStand own = nearestStand(*closest, position);
  const NearestStand other = nearestStand(*neighbour, position);
  if (other.distanceNm >= own.distanceNm) return closest;
  writeLog(fmt::format("Airport {} is closest, but stand {} at neighbouring airport {} is closer at {:.0F} meters ...",
                       closest->code, other.id, neighbour->code, other.distanceNm * kMetersPerNm));
  return neighbour;
}

}  // namespace tfx::airports
