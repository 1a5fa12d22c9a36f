#include "traffic/removal.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/log.h"
#include "core/log_line.h"
#include "core/geodesy.h"
#include "core/parameters.h"
#include "runstate/cycle_clock.h"
#include "traffic/ground_stands.h"
#include "traffic/object_queues.h"

namespace tfx {
namespace {

// Shown positions this close to the target point count as standing on it.
constexpr double kSamePlaceDegrees = 1e-8;

// The aircraft comes back where it is shown, due next cycle; a parked one
// stays on its stand facing as shown. Decided here: the new point goes before
// the target point, as the oldest one, since the new object is placed at the
// oldest point and is to appear where the old one was shown.
void holdAtShownPlace(LiveAircraft& aircraft) {
  if (aircraft.history.empty()) return;
  TrackPoint& target = aircraft.history.front();
  if (aircraft.phase == FlightPhase::Parked) {
    aircraft.history.truncate(1);
    target.stationary = true;
    target.track = aircraft.block.heading * kRadToDeg;
    return;
  }
  const sim::PositionBlock& shown = aircraft.block;
  if (std::abs(shown.lat - target.lat) <= kSamePlaceDegrees && std::abs(shown.lon - target.lon) <= kSamePlaceDegrees) {
    target.stationary = true;
  }
  TrackPoint point = target;
  point.lat = shown.lat;
  point.lon = shown.lon;
  point.altitude = shown.altitude;
  point.stamp = cycleNumber().load() + 1;
  aircraft.history.push_front(point);
}

}  // namespace

void removeAircraftFromSim(TrafficContext& context, LiveAircraft& aircraft, std::string_view reason) {
  TrafficState& state = context.state;
  if (aircraft.state == SimState::Buffer) {
    if (!aircraft.drop) dropAircraft(context, aircraft, reason);
    return;
  }
  if (aircraft.state == SimState::Adding2Sim) {
    const auto waiting = std::find(state.addingStack.begin(), state.addingStack.end(), aircraft.hexid);
    if (waiting != state.addingStack.end()) {
      state.addingStack.erase(waiting);
      aircraft.cancelled = true;
    } else if (cancelQueuedCreate(state, aircraft.hexid)) {
      aircraft.cancelled = true;
    } else {
      aircraft.removalPending = true;
    }
    context.links.observer.removed(aircraft, reason, aircraft.state);
    return;
  }
  if (aircraft.removalPending || aircraft.state == SimState::RemovingFromSim) return;
  if (aircraft.objectId == 0) {
    writeLogLine("{} removing act {}, with objectid=0 ?", "removeAircraftFromSim", aircraftName(aircraft));
  }
  if (isLiveHexid(aircraft.hexid) && aircraft.standId != 0) releaseStand(context, aircraft);
  const SimState from = aircraft.state;
  aircraft.state = SimState::RemovingFromSim;
  state.removalQueue.push_back(aircraft.objectId);
  context.links.observer.removed(aircraft, reason, from);
}

void applyGhostRule(TrafficContext& context, std::string_view callsign) {
  const std::string ghostCallsign = std::string(callsign) + '_';
  LiveAircraft* ghost = context.state.findPresentCallsign(ghostCallsign);
  if (ghost == nullptr) return;
  if (LOG.value()) {
    if (ghost->phase == FlightPhase::Parked) {
      writeLogLine("{:8}: {:8} is a ghost and will be removed, continue with {}", ghost->standId,
                           ghost->callsign, callsign);
    } else {
      writeLogLine("          {:8} is a ghost and will be removed, continue with {}", ghost->callsign,
                           callsign);
    }
  }
  context.state.ghostList.insert(ghostCallsign);
  removeAircraftFromSim(context, *ghost, "ghost");
}

bool realFlightPresent(TrafficState& state, std::string_view provisionalCallsign) {
  provisionalCallsign.remove_suffix(1);
  return state.findPresentCallsign(provisionalCallsign) != nullptr;
}

void liveryRespawn(TrafficContext& context, LiveAircraft& aircraft) {
  holdAtShownPlace(aircraft);
  aircraft.savedHeading = aircraft.block.heading;
  aircraft.savedHeadingValid = true;
  if (const auto title = context.links.livery.findLiveryLiveAc(liveryQueryOf(aircraft, ""))) {
    aircraft.title = *title;
    context.state.rememberedLiveries[aircraft.hexid] = *title;
  }
  if (aircraft.objectId == 0) {
    writeLogLine("{} removing act {} with objectid=0 ?", "liveryRespawn", aircraftName(aircraft));
  }
  changeState(context, aircraft, SimState::LiveryRespawn);
  context.state.removalQueue.push_back(aircraft.objectId);
}

}  // namespace tfx
