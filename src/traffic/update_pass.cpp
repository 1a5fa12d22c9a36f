#include "traffic/update_pass.h"

#include <algorithm>
#include <exception>

#include "core/log.h"
#include "core/log_line.h"
#include "runstate/cycle_clock.h"
#include "traffic/removal.h"
#include "traffic/spawn.h"

namespace tfx {
namespace {

void updateActive(TrafficContext& context, LiveAircraft& aircraft) {
  if (aircraft.history.empty()) {
    writeLogLine("{} stream empty ? {}, hexid:{}, objectid:{}, alt:{:.0f} ft, lalo:{}, TAS:{:.0f}",
                         "updateLiveAc", aircraftName(aircraft), aircraft.hexid, aircraft.objectId,
                         aircraft.block.altitude, formatLatLon({aircraft.block.lat, aircraft.block.lon}),
                         aircraft.block.tas);
    removeAircraftFromSim(context, aircraft, "stream-empty");
    return;
  }
  const int32_t cycle = cycleNumber().load();
  if (cycle >= aircraft.history.front().stamp) {
    context.links.motion.advance(context, aircraft, cycle);
    if (!aircraft.history.empty()) {
      const TrackPoint& oldest = aircraft.history.front();
      aircraft.block.verticalSpeed = oldest.verticalSpeed / 60.0;
      if (oldest.stationary) aircraft.block.tas = 0.0;
    }
  }
  if (aircraft.state == SimState::Active && !aircraft.history.empty() && !aircraft.history.front().stationary)
    context.links.motion.move(context, aircraft);
  if (aircraft.objectId != 0) {
    context.simulator.exchange().writePosition(aircraft.objectId, aircraft.block);
    return;
  }
  writeLogLine("{} objectid=0? hexid: {},cs:{}, reg:{}, aimo:{} sz:{}", "updateLiveAc", aircraft.hexid,
                       aircraft.callsign, aircraft.registration, modelTag(aircraft), aircraft.history.size());
  removeAircraftFromSim(context, aircraft, "no-object");
}

// Only the known states have work; any other value fails its name lookup.
void updateByState(TrafficContext& context, LiveAircraft& aircraft) {
  switch (aircraft.state) {
    case SimState::Buffer: handleBuffered(context, aircraft); break;
    case SimState::Active: updateActive(context, aircraft); break;
    case SimState::Adding2Sim:
    case SimState::LiveryRespawn:
    case SimState::RemovingFromSim: break;
    default: simStateName(aircraft.state);
  }
}

const char* eraseReason(const LiveAircraft& aircraft) { return aircraft.cancelled ? "cancelled" : "dropped"; }

}  // namespace

bool updateLiveAc(TrafficContext& context, LiveAircraft& aircraft) {
  try {
    updateByState(context, aircraft);
  } catch (const std::exception& error) {
    // The numbers rather than the names: the failure may be the name lookup itself.
    writeLogLine("{}: {} {}, sz:{}, fs:{}, st:{}", "updateLiveAc", aircraftName(aircraft), error.what(),
                         aircraft.history.size(), static_cast<uint32_t>(aircraft.phase),
                         static_cast<uint32_t>(aircraft.state));
    aircraft.drop = true;
  }
  return aircraft.drop || aircraft.cancelled;
}

void updatePass(TrafficContext& context) {
  std::vector<LiveAircraft>& live = context.state.liveList;
  bool anyErased = false;
  for (LiveAircraft& aircraft : live) anyErased = updateLiveAc(context, aircraft) || anyErased;
  if (!anyErased) return;
  for (const LiveAircraft& aircraft : live)
    if (aircraft.drop || aircraft.cancelled) context.links.observer.erased(aircraft, eraseReason(aircraft));
  std::erase_if(live, [](const LiveAircraft& a) { return a.drop || a.cancelled; });
}

}  // namespace tfx
