#include "traffic/stand_claims.h"

#include <fmt/format.h>

#include "core/log.h"
#include "core/parameters.h"
#include "traffic/ground_stands.h"
#include "traffic/removal.h"
#include "traffic/static_objects.h"

namespace tfx {
namespace {

constexpr double kStandMargin = 1.1;
constexpr std::string_view kConflict = "parking-conflict";

void detailLog(const std::string& line) {
  if (LOG.value()) writeLog(line);
}

bool ghostOf(const LiveAircraft& ghost, const LiveAircraft& real) {
  return isProvisionalCallsign(ghost.callsign) && ghost.callsign.substr(0, ghost.callsign.size() - 1) == real.callsign;
}

// The live aircraft parked or pushing back on a stand adjacent to `stand`
// that stands too close to it for the aircraft, or null.
LiveAircraft* tooCloseNeighbour(TrafficContext& context, const LiveAircraft& aircraft, const airports::Stand& stand,
                                airports::ParkingState& parking) {
  for (const int index : stand.overlaps) {
    const airports::Stand* adjacent = standOf(parking, static_cast<uint32_t>(index));
    if (adjacent == nullptr) continue;
    LiveAircraft* other = holderOf(context.state, static_cast<uint32_t>(index), &aircraft);
    if (other == nullptr) continue;
    if (tooCloseOnStands(gf_distanceNm(stand.position(), adjacent->position()), aircraft.halfWingspan,
                         other->halfWingspan))
      return other;
  }
  return nullptr;
}

}  // namespace

bool tooCloseOnStands(double distanceNm, double halfSpanA, double halfSpanB) {
  return kStandMargin * (halfSpanA + halfSpanB) >= distanceNm;
}

bool claimAtSpawn(TrafficContext& context, const LiveAircraft& aircraft, const airports::Stand& stand) {
  airports::ParkingState* parking = context.links.stands.view().parking;
  if (parking == nullptr) return false;
  if (LiveAircraft* holder = holderOf(context.state, static_cast<uint32_t>(stand.index), &aircraft)) {
    // Decided here: a ghost never takes the stand of its real flight, which
    // the ghost rule is about to replace it with anyway.
    if (ghostOf(aircraft, *holder)) return false;
    if (holder->callsign == aircraft.callsign) {
      detailLog(fmt::format("{:8}: {:8} ac with same callsign {} wants it, remove existing ... ", stand.id,
                            holder->callsign, aircraft.callsign));
    } else if (ghostOf(*holder, aircraft)) {
      detailLog(fmt::format("{:8}: {:8} ghost, replace by {}", stand.id, holder->callsign, aircraft.callsign));
    } else {
      detailLog(fmt::format("{:8}: {:8} removed because another live {} wants the stand ...", stand.id,
                            holder->callsign, aircraft.callsign));
    }
    removeAircraftFromSim(context, *holder, kConflict);
  }
  const LiveAircraft* neighbour = tooCloseNeighbour(context, aircraft, stand, *parking);
  return neighbour == nullptr || neighbour->callsign == aircraft.callsign;
}

void clearForParking(TrafficContext& context, const LiveAircraft& aircraft, const airports::Stand& stand) {
  airports::ParkingState* parking = context.links.stands.view().parking;
  if (parking == nullptr) return;
  for (LiveAircraft& other : context.state.liveList) {
    if (&other == &aircraft || !shownOrComing(other) || other.phase != FlightPhase::Parked ||
        other.standId != static_cast<uint32_t>(stand.index))
      continue;
    detailLog(fmt::format("{:8}: {:8} removed, {} wants to park there", stand.id, other.callsign, aircraft.callsign));
    removeAircraftFromSim(context, other, kConflict);
  }
  while (LiveAircraft* other = tooCloseNeighbour(context, aircraft, stand, *parking)) {
    const airports::Stand* adjacent = standOf(*parking, other->standId);
    detailLog(fmt::format("{:8}: {:8} removed by parking {} at adjacent and possibly colliding stand {}",
                          adjacent != nullptr ? adjacent->id : std::string(), other->callsign, aircraft.callsign,
                          stand.id));
    removeAircraftFromSim(context, *other, kConflict);
  }
}

void staticsMakeWay(TrafficContext& context, const LiveAircraft& aircraft, const airports::Stand& stand) {
  auto& records = context.state.staticRecords;
  for (size_t i = 0; i < records.size();) {
    const StaticRecord& record = records[i];
    if (record.removing || record.aircraft.standIndex != stand.index) {
      ++i;
      continue;
    }
    const bool queued = record.objectId == 0;
    detailLog(fmt::format("{}{:8}: {:8} {} makes way for{} {} {}", queued ? "queued " : "", stand.id,
                          record.aircraft.callsign, record.aircraft.type, aircraft.motion.towed ? " towed" : "",
                          aircraft.callsign, aircraft.type));
    const size_t before = records.size();
    removeStaticAircraft(context, record.aircraft.hexid, "makes-way");
    if (records.size() == before) ++i;
  }
}

}  // namespace tfx
