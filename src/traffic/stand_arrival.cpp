#include "traffic/stand_arrival.h"

#include <algorithm>
#include <chrono>

#include "core/log.h"
#include "core/log_line.h"
#include "core/parameters.h"
#include "traffic/ground_stands.h"
#include "traffic/motion_math.h"
#include "traffic/object_controls.h"
#include "traffic/parked_learning.h"
#include "traffic/removal.h"
#include "traffic/static_objects.h"

namespace tfx {
namespace {

constexpr double kArrivedNm = 0.0010799136069114472;  // 2 m



}  // namespace

Arrival arriveAtStand(TrafficContext& context, LiveAircraft& aircraft) {
  airports::ParkingState* parking = context.links.stands.view().parking;
  const airports::Stand* stand = parking != nullptr ? standOf(*parking, aircraft.standId) : nullptr;
  if (stand != nullptr && stand->liveOccupied) {
    aircraft.motion.holdCount = 1;
    removeAircraftFromSim(context, aircraft, "parking-conflict");
    return Arrival::Removed;
  }
  if (gf_distanceNm(positionOf(aircraft.block), aircraft.standPosition) > kArrivedNm) {
    changePhase(context, aircraft, FlightPhase::Taxi);
    return Arrival::Missed;
  }
  tellStand(context, aircraft, "arrived");
  // Decided here: what is left of the turn onto the stand heading is made
  // at once, so that the aircraft stands as the stand wants it.
  aircraft.block.heading = aircraft.standHeading;
  changePhase(context, aircraft, FlightPhase::Parked);
  aircraft.parkedSince = std::chrono::steady_clock::now().time_since_epoch().count();
  lightUpParked(context.simulator.exchange(), aircraft);
  context.state.staticCheckList.push_back(aircraft.hexid);
  occupyStand(context, aircraft);
  learnParked(context, aircraft, false);
  if (!aircraft.motion.towed) {
    writeLogLine("{:8}: {:8} arrived at stand", standName(context, aircraft), aircraft.callsign);
  } else if (LOG.value()) {
    writeLogLine("          towed aircraft {} parks", aircraft.callsign);
  }
  return Arrival::Parked;
}

void parkedAtBirth(TrafficContext& context, LiveAircraft& aircraft) {
  if (aircraft.phase != FlightPhase::Parked || aircraft.standId == 0) return;
  const std::string name = standName(context, aircraft);
  const auto& records = context.state.staticRecords;
  const auto covered = std::find_if(records.begin(), records.end(), [&](const StaticRecord& r) {
    return !r.removing && r.aircraft.standIndex == static_cast<int>(aircraft.standId);
  });
  if (covered == records.end()) {
    writeLogLine("{:8}: {:8} parks", name, aircraft.callsign);
  } else {
    writeLogLine("{:8}: {:8} parks over static {}", name, aircraft.callsign, covered->aircraft.callsign);
    removeStaticAircraft(context, covered->aircraft.hexid, "makes-way");
  }
  tellStand(context, aircraft, "parked");
  learnParked(context, aircraft, false);
}

}  // namespace tfx
