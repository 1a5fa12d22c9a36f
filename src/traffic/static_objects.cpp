#include "traffic/static_objects.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/geodesy.h"
#include "core/log.h"
#include "core/log_line.h"
#include "core/parameters.h"
#include "sim/object_events.h"
#include "sim/sim_ids.h"
#include "aircraft/aircraft_queries.h"
#include "traffic/first_links.h"
#include "traffic/object_controls.h"

namespace tfx {

std::string staticObjectName(const airports::StaticToCreate& entry) {
  // The registration is unique among static aircraft; the callsign may be
  // flown by a live aircraft too, which would mix up the two objects.
  if (!entry.aircraft.registration.empty()) return entry.aircraft.registration;
  return fmt::format("ST{}", entry.hexid);
}

std::string_view staticLiveryTitle(LiveryMatcher& livery, const airports::StaticToCreate& entry,
                                   const airports::Stand& stand) {
  const airports::StaticAircraft& aircraft = entry.aircraft;
  const std::string name = staticObjectName(entry);
  const std::string description = fmt::format("{} {} on stand {}", aircraft.airline, aircraft.type, stand.id);
  const LiveryQuery query{.airline = aircraft.airline,
                          .type = aircraft.type,
                          .registration = aircraft.registration,
                          .category = static_cast<uint32_t>(gf_acCategory(aircraft.type)),
                          .cargo = stand.cargo,
                          .description = description,
                          .name = name};
  return livery.findLiveryStaticAc(query).value_or(kDefaultLiveryTitle);
}

void queueStaticCreate(TrafficState& state, const airports::StaticToCreate& entry, const StaticPlacement& placement) {
  const airports::Stand& stand = placement.stand;
  const airports::StaticAircraft& chosen = entry.aircraft;
  StaticRecord record;
  record.aircraft = {.hexid = entry.hexid,
                     .standIndex = chosen.standIndex,
                     .position = stand.position(),
                     .halfWingspanNm = placement.halfWingspanNm,
                     .airline = chosen.airline,
                     .type = chosen.type,
                     .callsign = chosen.callsign,
                     .callsignNote = chosen.callsignNote,
                     .registration = chosen.registration};
  // Stand files may give headings outside one turn.
  record.heading = std::fmod(std::fmod(stand.heading, kTwoPi) + kTwoPi, kTwoPi);
  record.cargoStand = stand.cargo;
  record.title = placement.liveryTitle;
  state.staticRecords.push_back(std::move(record));
  sim::CreateRequest request;
  request.lat = stand.lat;
  request.lon = stand.lon;
  request.altitude = placement.groundElevationFt;
  request.heading = state.staticRecords.back().heading * kRadToDeg;
  request.onGround = 1;
  request.callsign = staticObjectName(entry);
  request.liveryTitle = std::string(placement.liveryTitle);
  request.hexid = entry.hexid;
  state.staticCreateQueue.push_back(std::move(request));
}

void onStaticObjectCreated(TrafficContext& context, const sim::SimNotification& notification) {
  auto& records = context.state.staticRecords;
  const auto record = std::find_if(records.begin(), records.end(), [&](const StaticRecord& r) {
    return r.aircraft.hexid == notification.hexid && r.objectId == 0;
  });
  if (record == records.end()) {
    // Its creation was called off meanwhile: the object goes again.
    context.state.removalQueue.push_back(notification.objectId);
    return;
  }
  record->objectId = notification.objectId;
  record->counter = 0;
}

void advanceStaticObjects(TrafficContext& context) {
  for (StaticRecord& record : context.state.staticRecords) {
    if (record.objectId == 0 || record.active || record.removing) continue;
    if (++record.counter < kStaticSettleCycles) continue;
    record.active = true;
    lightParkedStatic(context.simulator.exchange(), record);
    if (LOG.value()) writeLogLine("{:8}: {:8} parked", record.aircraft.standIndex, record.aircraft.callsign);
  }
}

std::optional<StaticRecord> takeRefusedStatic(TrafficState& state, uint32_t hexid) {
  auto& records = state.staticRecords;
  const auto record = std::find_if(records.begin(), records.end(), [hexid](const StaticRecord& r) {
    return r.aircraft.hexid == hexid && r.objectId == 0 && !r.removing;
  });
  if (record == records.end()) return std::nullopt;
  StaticRecord refused = std::move(*record);
  records.erase(record);
  return refused;
}

bool onStaticObjectRemoved(TrafficState& state, uint32_t objectId) {
  if (objectId == 0) return false;
  return std::erase_if(state.staticRecords, [objectId](const StaticRecord& r) { return r.objectId == objectId; }) > 0;
}

namespace {

// A hexid is free again once its aircraft is being removed, so the aircraft
// meant is the one under it that is not being removed.
std::vector<StaticRecord>::iterator standingStatic(TrafficState& state, uint32_t hexid) {
  return std::find_if(state.staticRecords.begin(), state.staticRecords.end(),
                      [hexid](const StaticRecord& r) { return r.aircraft.hexid == hexid && !r.removing; });
}

}  // namespace

void dropStaticRecord(TrafficState& state, uint32_t hexid) {
  const auto record = standingStatic(state, hexid);
  if (record == state.staticRecords.end()) return;
  if (record->objectId == 0) {
    // Not yet in the simulator: its request goes with the record; an object
    // created from a request already handed over is removed at its birth.
    std::erase_if(state.staticCreateQueue, [hexid](const sim::CreateRequest& r) { return r.hexid == hexid; });
    state.staticRecords.erase(record);
    return;
  }
  record->removing = true;
  state.removalQueue.push_back(record->objectId);
}

void removeStaticAircraft(TrafficContext& context, uint32_t hexid, std::string_view reason) {
  const auto record = standingStatic(context.state, hexid);
  if (record == context.state.staticRecords.end()) return;
  context.links.observer.staticRemoved(record->aircraft, reason);
  dropStaticRecord(context.state, hexid);
}

void lightParkedStatic(sim::ExchangeLists& exchange, StaticRecord& record) {
  if (record.throttleIndex != 0) {
    exchange.queueEvent(record.objectId, sim::kEvThrottle, sim::kThrottleValues[0]);
    record.throttleIndex = 0;
  }
  exchange.queueEvent(record.objectId, sim::kEvFlaps, sim::kFlapsValues[0]);
  exchange.queueEvent(record.objectId, sim::kEvEngineAutoShutdown, 0);
  setParkedLights(exchange, record.objectId, record.cargoStand);
}

}  // namespace tfx
