#pragma once
// Static parked aircraft as simulator objects: their create requests, their
// activation once the object settled, their parked lighting and their end.
#include <cstdint>
#include <optional>
#include <string_view>

#include "airports/stand.h"
#include "airports/static_creation.h"
#include "sim/sim_notification.h"
#include "traffic/traffic_context.h"
#include "traffic/traffic_links.h"

namespace tfx {

// Main cycles from the object's creation to its activation.
inline constexpr int32_t kStaticSettleCycles = 200;

// Where and how a static aircraft is created.
struct StaticPlacement {
  const airports::Stand& stand;
  std::string_view liveryTitle;  // lives for the whole run; the record keeps the view
  double halfWingspanNm = 0.0;
  double groundElevationFt = 0.0;
};

// Records the static aircraft and queues its create request.
void queueStaticCreate(TrafficState& state, const airports::StaticToCreate& entry, const StaticPlacement& placement);

// Notification kind 1: the record gets its object id and starts settling.
void onStaticObjectCreated(TrafficContext& context, const sim::SimNotification& notification);
// Once per main cycle: settled objects become active and are lit as parked.
void advanceStaticObjects(TrafficContext& context);
// The simulator refused to create the static aircraft of this hexid: its
// record, taken from the static records; none when there is no such record.
std::optional<StaticRecord> takeRefusedStatic(TrafficState& state, uint32_t hexid);
// The simulator removed an object: true when it was a static one, whose record is gone.
bool onStaticObjectRemoved(TrafficState& state, uint32_t objectId);

// The static aircraft goes: one not yet created with its request, a created
// one through the removal queue.
void dropStaticRecord(TrafficState& state, uint32_t hexid);
// The same for a rule of live traffic, whose reason the observer hears.
void removeStaticAircraft(TrafficContext& context, uint32_t hexid, std::string_view reason);

// Throttle and flaps at rest, engines off, the lights of a parked aircraft.
void lightParkedStatic(sim::ExchangeLists& exchange, StaticRecord& record);

// The ATC id the object is created with and recognised by.
std::string staticObjectName(const airports::StaticToCreate& entry);

// The static aircraft's livery: livery matching's choice for its airline,
// type and registration (cargo on a cargo stand), else the default title.
std::string_view staticLiveryTitle(LiveryMatcher& livery, const airports::StaticToCreate& entry,
                                   const airports::Stand& stand);

}  // namespace tfx
