#include "traffic/ground_stands.h"

#include <cmath>

#include "airports/stand_geometry.h"
#include "sim/user_state.h"
#include "traffic/motion_math.h"

namespace tfx {

airports::Stand* standOf(airports::ParkingState& parking, uint32_t index) {
  auto& stands = parking.stands.parkStands;
  if (index == 0 || index > stands.size()) return nullptr;
  return &stands[index - 1];
}

airports::Stand* nearestTakeableStand(TrafficContext& context, airports::ParkingState& parking, const LatLon& position,
                                      double rangeNm) {
  auto& stands = parking.stands.parkStands;
  const int found = airports::nearestStandWithin(stands, position, rangeNm);
  airports::Stand* stand = standOf(parking, static_cast<uint32_t>(found));
  if (stand == nullptr) return nullptr;
  if (!parking.statics.reservedStand.empty() && stand->id == parking.statics.reservedStand) return nullptr;
  const LatLon user = context.simulator.userPosition();
  if (sim::positionKnown(user.lat, user.lon) &&
      airports::nearestStandWithin(stands, user, airports::kUserStandRangeNm) == stand->index)
    return nullptr;
  return stand;
}

bool parkedOrPushingBack(const LiveAircraft& aircraft) {
  return aircraft.phase == FlightPhase::Parked || aircraft.phase == FlightPhase::PushingBack;
}

bool shownOrComing(const LiveAircraft& aircraft) {
  return (aircraft.state == SimState::Active || aircraft.state == SimState::Adding2Sim) && !aircraft.removalPending &&
         !aircraft.cancelled;
}

LiveAircraft* holderOf(TrafficState& state, uint32_t standIndex, const LiveAircraft* except) {
  for (LiveAircraft& other : state.liveList) {
    if (&other == except || !shownOrComing(other) || other.standId != standIndex) continue;
    if (parkedOrPushingBack(other)) return &other;
  }
  return nullptr;
}

void takeStand(LiveAircraft& aircraft, const airports::Stand& stand) {
  aircraft.standPosition = stand.position();
  aircraft.standHeading = wrapHeading(stand.heading);
  aircraft.standId = static_cast<uint32_t>(stand.index);
  aircraft.cargoStand = stand.cargo;
}

void clearStand(LiveAircraft& aircraft) {
  aircraft.standPosition = {};
  aircraft.standHeading = 0.0;
  aircraft.standId = 0;
  aircraft.cargoStand = false;
}

void occupyStand(TrafficContext& context, const LiveAircraft& aircraft) {
  airports::ParkingState* parking = context.links.stands.view().parking;
  if (parking == nullptr) return;
  if (airports::Stand* stand = standOf(*parking, aircraft.standId)) stand->liveOccupied = true;
}

void releaseStand(TrafficContext& context, const LiveAircraft& aircraft) {
  airports::ParkingState* parking = context.links.stands.view().parking;
  if (parking == nullptr || aircraft.phase != FlightPhase::Parked) return;
  airports::Stand* stand = standOf(*parking, aircraft.standId);
  if (stand == nullptr) return;
  for (const LiveAircraft& other : context.state.liveList) {
    if (&other != &aircraft && other.standId == aircraft.standId && other.phase == FlightPhase::Parked &&
        shownOrComing(other))
      return;
  }
  stand->liveOccupied = false;
}

std::string standName(TrafficContext& context, uint32_t standIndex) {
  airports::ParkingState* parking = context.links.stands.view().parking;
  const airports::Stand* stand = parking != nullptr ? standOf(*parking, standIndex) : nullptr;
  return stand != nullptr ? stand->id : std::to_string(standIndex);
}

std::string standName(TrafficContext& context, const LiveAircraft& aircraft) {
  return standName(context, aircraft.standId);
}

void tellStand(TrafficContext& context, const LiveAircraft& aircraft, std::string_view what) {
  context.links.observer.stand(aircraft, what, standDistanceM(aircraft), standHeadingErrorDeg(aircraft));
}

double standDistanceM(const LiveAircraft& aircraft) {
  return gf_distanceNm(positionOf(aircraft.block), aircraft.standPosition) * kMetersPerNm;
}

double standHeadingErrorDeg(const LiveAircraft& aircraft) {
  return std::fabs(angleDifference(aircraft.block.heading - aircraft.standHeading)) * kRadToDeg;
}

}  // namespace tfx
