#include "traffic/spawn_stand.h"

#include "airports/airport.h"
#include "traffic/ground_stands.h"
#include "traffic/motion_math.h"
#include "traffic/stand_claims.h"

namespace tfx {
namespace {

constexpr double kNearParkAirportNm = 5.0;
constexpr double kStandingKnots = 5.0;
constexpr double kStillNm = 0.018898488120950324;  // 35 m
constexpr double kSpawnStandRangeNm = 0.029697624190064796;  // 55 m

}  // namespace

const airports::Stand* standAtSpawn(TrafficContext& context, LiveAircraft& aircraft, bool& drop) {
  drop = false;
  airports::ParkingState* parking = context.links.stands.view().parking;
  const airports::Airport& park = airports::parkAirport();
  TrackHistory& history = aircraft.history;
  if (parking == nullptr || park.code.empty() || history.size() < 2) return nullptr;
  TrackPoint& first = history.front();
  if (gf_distanceNm(positionOf(first), park.position()) > kNearParkAirportNm) return nullptr;
  LatLon standing = positionOf(first);
  if (!first.stationary) {
    const TrackPoint& newest = history.back();
    if (history[1].groundSpeed > kStandingKnots || gf_distanceNm(positionOf(newest), standing) > kStillNm)
      return nullptr;
    standing = positionOf(newest);
  }
  airports::Stand* stand = nearestTakeableStand(context, *parking, standing, kSpawnStandRangeNm);
  if (stand == nullptr) return nullptr;
  if (!claimAtSpawn(context, aircraft, *stand)) {
    drop = true;
    return nullptr;
  }
  staticsMakeWay(context, aircraft, *stand);
  first.stationary = true;
  first.groundSpeed = 0.0;
  return stand;
}

}  // namespace tfx
