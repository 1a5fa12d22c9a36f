#include "traffic/parked_live_traffic.h"

#include <algorithm>

#include "core/log.h"
#include "core/log_line.h"
#include "core/parameters.h"
#include "traffic/removal.h"
#include "traffic/static_objects.h"

namespace tfx {
namespace {

bool onStand(const LiveAircraft& aircraft) {
  if (aircraft.standId == 0 || !isLiveHexid(aircraft.hexid)) return false;
  if (aircraft.state != SimState::Active && aircraft.state != SimState::Adding2Sim) return false;
  return aircraft.phase == FlightPhase::Parked || aircraft.phase == FlightPhase::Parking;
}

airports::ParkedAircraft parkedView(const LiveAircraft& aircraft) {
  return {.hexid = aircraft.hexid,
          .standIndex = static_cast<int>(aircraft.standId),
          .position = aircraft.standPosition,
          .halfWingspanNm = aircraft.halfWingspan,
          .airline = aircraft.airline,
          .type = aircraft.type,
          .callsign = aircraft.callsign,
          .callsignNote = {},
          .registration = aircraft.registration};
}

}  // namespace

std::string_view parkedRemovalName(airports::ParkedRemoval reason) {
  switch (reason) {
    case airports::ParkedRemoval::MaxPark:
      return "max-park";
    case airports::ParkedRemoval::Renewal:
      return "renewal";
    case airports::ParkedRemoval::OutOfSight:
      return "out-of-sight";
  }
  return "renewal";
}

void ParkedLiveTraffic::collectParkedLive(std::vector<airports::ParkedAircraft>& into) const {
  const size_t first = into.size();
  std::vector<const LiveAircraft*> parked;
  for (const LiveAircraft& aircraft : context_.state.liveList) {
    if (onStand(aircraft)) parked.push_back(&aircraft);
  }
  // Longest parked first; one still driving onto its stand counts as just parked.
  std::stable_sort(parked.begin(), parked.end(), [](const LiveAircraft* a, const LiveAircraft* b) {
    const bool aParked = a->phase == FlightPhase::Parked;
    const bool bParked = b->phase == FlightPhase::Parked;
    if (aParked != bParked) return aParked;
    return a->parkedSince < b->parkedSince;
  });
  into.reserve(first + parked.size());
  for (const LiveAircraft* aircraft : parked) into.push_back(parkedView(*aircraft));
}

void ParkedLiveTraffic::collectStatic(std::vector<airports::ParkedAircraft>& into) const {
  for (const StaticRecord& record : context_.state.staticRecords) {
    if (!record.removing) into.push_back(record.aircraft);
  }
}

bool ParkedLiveTraffic::presentInSimulator(std::string_view callsignOrRegistration) const {
  return std::any_of(context_.state.liveList.begin(), context_.state.liveList.end(), [&](const LiveAircraft& aircraft) {
    if (aircraft.state == SimState::Buffer || aircraft.state == SimState::RemovingFromSim) return false;
    return aircraft.callsign == callsignOrRegistration || aircraft.registration == callsignOrRegistration;
  });
}

void ParkedLiveTraffic::removeParked(uint32_t hexid, airports::ParkedRemoval reason) {
  if (isLiveHexid(hexid)) {
    if (LiveAircraft* aircraft = context_.state.findHexid(hexid)) {
      if (LOG.value()) {
        if (aircraft->standId == 0) writeLog("sid==0?");
        writeLogLine("live parked {} at {} removed", aircraft->callsign, aircraft->standId);
      }
      removeAircraftFromSim(context_, *aircraft, parkedRemovalName(reason));
    }
    return;
  }
  // Static parking's own removals are told by whoever asked for them.
  dropStaticRecord(context_.state, hexid);
}

}  // namespace tfx
