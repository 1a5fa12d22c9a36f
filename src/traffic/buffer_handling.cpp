#include "traffic/spawn.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "aircraft/aircraft_queries.h"
#include "core/geodesy.h"
#include "core/parameters.h"
#include "runstate/cycle_clock.h"
#include "traffic/object_queues.h"
#include "traffic/removal.h"

namespace tfx {
namespace {

// Spawned 3 s before a moving ground aircraft's first point is due, else 1 s.
constexpr int32_t kGroundLeadCycles = 300;
constexpr int32_t kLeadCycles = 100;
constexpr size_t kMostWaitingCreates = 10;
constexpr double kReplaceMarginNm = 0.1;
// The largest MAX_LIVE_SEL value stands for the legacy "no limit".
constexpr int32_t kNoLiveLimit = 500;

bool waitsForFirstPoint(const LiveAircraft& aircraft) {
  const TrackPoint& first = aircraft.history.front();
  const int32_t lead = !first.airborne && first.groundSpeed != 0.0 ? kGroundLeadCycles : kLeadCycles;
  return cycleNumber().load() < first.stamp - lead;
}

bool mixesAirAndGround(const TrackHistory& history) {
  for (size_t i = 1; i < history.size(); ++i)
    if (history[i].airborne != history[0].airborne) return true;
  return false;
}

double distanceFromUser(const LatLon& user, double lat, double lon) { return gf_distanceNm(user, {lat, lon}); }

// True when the aircraft may go on: the limit is not reached, or the farthest
// active aircraft made room for it.
bool roomUnderLiveLimit(TrafficContext& context, LiveAircraft& aircraft) {
  const int32_t limit = MAX_LIVE_SEL.value();
  if (limit >= kNoLiveLimit) return true;
  TrafficState& state = context.state;
  const size_t active = static_cast<size_t>(std::count_if(
      state.liveList.begin(), state.liveList.end(), [](const LiveAircraft& a) { return a.state == SimState::Active; }));
  const size_t count = active + state.addingStack.size() + waitingLiveCreates(context);
  if (count < static_cast<size_t>(limit)) return true;
  const LatLon user = context.simulator.userPosition();
  const TrackPoint& first = aircraft.history.front();
  const double threshold = distanceFromUser(user, first.lat, first.lon) + kReplaceMarginNm;
  LiveAircraft* farthest = nullptr;
  double farthestDistance = threshold;
  for (LiveAircraft& other : state.liveList) {
    if (other.state != SimState::Active) continue;
    const double distance = distanceFromUser(user, other.block.lat, other.block.lon);
    if (distance > farthestDistance) {
      farthest = &other;
      farthestDistance = distance;
    }
  }
  if (farthest == nullptr) {
    dropAircraft(context, aircraft, "live-limit");
    return false;
  }
  removeAircraftFromSim(context, *farthest, "live-limit");
  return true;
}

// Decided here: the airline prefix is the callsign's first three letters
// when the database knows them as an airline.
std::string airlineOfCallsign(const std::string& callsign) {
  if (callsign.size() < 3) return "PVT";
  const std::string prefix = callsign.substr(0, 3);
  const bool letters = std::all_of(prefix.begin(), prefix.end(), [](unsigned char c) { return std::isalpha(c); });
  return letters && gf_validAirline(prefix) ? prefix : "PVT";
}

// The operator and cargo flag of the registration; its type was taken when
// the record was made. An invalid callsign becomes the registration when the
// database knows the registration.
void completeIdentity(LiveAircraft& aircraft) {
  if (!aircraft.registration.empty()) {
    if (const std::optional<RegcodeRecord> regcode = gf_findRegcode(aircraft.registration)) {
      if (!regcode->airline.empty()) aircraft.airline = regcode->airline;
      aircraft.cargo = regcode->cargo;
      if (!isValidCallsign(aircraft.callsign)) aircraft.callsign = aircraft.registration;
    }
  }
  if (aircraft.airline.empty()) aircraft.airline = airlineOfCallsign(aircraft.callsign);
}

}  // namespace

void handleBuffered(TrafficContext& context, LiveAircraft& aircraft) {
  if (aircraft.history.empty() || waitsForFirstPoint(aircraft)) return;
  if (aircraft.history.size() == 1) {
    dropAircraft(context, aircraft, "single-report");
    return;
  }
  if (isProvisionalCallsign(aircraft.callsign) && context.state.ghostList.contains(aircraft.callsign)) {
    dropAircraft(context, aircraft, "ghost-listed");
    return;
  }
  if (mixesAirAndGround(aircraft.history)) {
    aircraft.history.pop_front();
    return;
  }
  if (context.links.userHold.holdsBack(context, aircraft)) return;
  if (waitingLiveCreates(context) > kMostWaitingCreates && aircraft.phase == FlightPhase::Birth) {
    aircraft.history.pop_front();
    return;
  }
  if (!roomUnderLiveLimit(context, aircraft)) return;
  if (!BLOCK_CALLSIGN.empty() && BLOCK_CALLSIGN.value() == aircraft.callsign) return;
  completeIdentity(aircraft);
  if (!isValidCallsign(aircraft.callsign)) {
    dropAircraft(context, aircraft, "invalid-callsign");
  } else if (context.state.noLiveryKeys.contains(liveryKey(aircraft))) {
    dropAircraft(context, aircraft, "no-livery-key");
  } else if (isProvisionalCallsign(aircraft.callsign) && realFlightPresent(context.state, aircraft.callsign)) {
    dropAircraft(context, aircraft, "real-flight-present");
  } else {
    spawnLiveAc(context, aircraft);
  }
}

}  // namespace tfx
