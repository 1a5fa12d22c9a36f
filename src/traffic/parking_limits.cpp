#include "traffic/parking_limits.h"

#include "core/log.h"
#include "core/log_line.h"
#include "core/parameters.h"
#include "traffic/removal.h"
#include "traffic/static_objects.h"

namespace tfx {
namespace {

constexpr std::string_view kReason = "max-park";

bool activeParked(const LiveAircraft& aircraft) {
  return aircraft.state == SimState::Active && aircraft.phase == FlightPhase::Parked && isLiveHexid(aircraft.hexid);
}

}  // namespace

void applyParkingLimits(TrafficContext& context) {
  const int64_t limit = MAX_PARK_SEL.value();
  if (limit < 1) return;
  TrafficState& state = context.state;
  int64_t parkedLive = 0;
  LiveAircraft* longest = nullptr;
  for (LiveAircraft& aircraft : state.liveList) {
    if (!activeParked(aircraft)) continue;
    ++parkedLive;
    // Decided here: the aircraft parked longest goes first, as a real one
    // that stood long is the likeliest to have left unseen.
    if (longest == nullptr || aircraft.parkedSince < longest->parkedSince) longest = &aircraft;
  }
  if (!INITIAL_LOAD_ONLY.value() && parkedLive > limit && longest != nullptr) {
    if (LOG.value()) writeLogLine("{:8}: {} live max park exceeded, removed", longest->standId, longest->callsign);
    removeAircraftFromSim(context, *longest, kReason);
    --parkedLive;
  }
  int64_t statics = 0;
  const StaticRecord* firstActive = nullptr;
  for (const StaticRecord& record : state.staticRecords) {
    if (!record.active && !record.removing) continue;
    ++statics;
    if (firstActive == nullptr && record.active && !record.removing) firstActive = &record;
  }
  if (statics + parkedLive <= limit || firstActive == nullptr) return;
  if (LOG.value())
    writeLogLine("{:8}: {} static max park exceeded, removed", firstActive->aircraft.standIndex,
                         firstActive->aircraft.callsign);
  removeStaticAircraft(context, firstActive->aircraft.hexid, kReason);
}

}  // namespace tfx
