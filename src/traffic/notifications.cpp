#include "traffic/notifications.h"

#include <fmt/format.h>

#include <algorithm>
#include <string_view>

#include "core/log.h"
#include "core/log_line.h"
#include "core/message_line.h"
#include "runstate/stop_flags.h"
#include "runstate/user_error.h"
#include "traffic/ground_data.h"
#include "traffic/object_birth.h"
#include "traffic/ground_stands.h"
#include "traffic/removal.h"
#include "traffic/static_objects.h"

namespace tfx {
namespace {

void eraseRecord(TrafficContext& context, std::vector<LiveAircraft>::iterator record, std::string_view reason) {
  context.links.observer.erased(*record, reason);
  context.state.liveList.erase(record);
}

// The object of a record is gone: a respawning record waits in the buffer
// again, any other goes (its stand released unless its removal did that).
void onRemoved(TrafficContext& context, uint32_t objectId) {
  auto& live = context.state.liveList;
  const auto record = std::find_if(live.begin(), live.end(), [&](const LiveAircraft& a) {
    return a.objectId == objectId && objectId != 0;
  });
  if (record == live.end()) return;
  if (record->state == SimState::LiveryRespawn) {
    record->objectId = 0;
    record->throttleIndex = 5;
    record->flapsIndex = 4;
    changeState(context, *record, SimState::Buffer);
    return;
  }
  if (record->state != SimState::RemovingFromSim && record->standId != 0) releaseStand(context, *record);
  eraseRecord(context, record, "removed");
}

constexpr size_t kMostFailedLiveries = 20;

// The simulator lacks the livery: the user hears of it, and too many such
// liveries end the program, since the livery tables then do not fit the simulator.
void liveryRefused(TrafficContext& context, std::string_view callsign, const LiveryQuery& query,
                   std::string_view title) {
  if (stopRequested()) return;
  showMessage(fmt::format("{} '{}' could not be created by your Sim!", callsign, title));
  context.state.failedLiveries.emplace_back(title);
  context.links.livery.liveryRefused(query, title);
  if (context.state.failedLiveries.size() >= kMostFailedLiveries) {
    const std::string problem = fmt::format("There are too many liveries that could not be created by {}!", "P3D");
    throw UserErrorException(81,
                             fmt::format("{}, see Log.txt", fmt::format("\n{}Error 81, {}\n", kErrorPrefix, problem)));
  }
}

// A static aircraft's record goes; its stand is free for the next calculation.
void onStaticCreateFailed(TrafficContext& context, uint32_t hexid) {
  const std::optional<StaticRecord> record = takeRefusedStatic(context.state, hexid);
  if (!record) return;
  const airports::ParkedAircraft& aircraft = record->aircraft;
  const LiveryQuery query{.airline = aircraft.airline,
                          .type = aircraft.type,
                          .registration = aircraft.registration,
                          .category = 0,
                          .cargo = record->cargoStand,
                          .description = {},
                          .name = {}};
  liveryRefused(context, aircraft.callsign.empty() ? aircraft.registration : aircraft.callsign, query, record->title);
}

void onCreateFailed(TrafficContext& context, uint32_t hexid) {
  if (!isLiveHexid(hexid)) return onStaticCreateFailed(context, hexid);
  auto& live = context.state.liveList;
  const auto record = std::find_if(live.begin(), live.end(), [&](const LiveAircraft& a) {
    return a.hexid == hexid && a.state == SimState::Adding2Sim;
  });
  if (record == live.end()) return;
  // The aircraft's next spawn asks livery matching again.
  context.state.rememberedLiveries.erase(hexid);
  liveryRefused(context, record->callsign, liveryQueryOf(*record, longName(*record)), record->title);
  eraseRecord(context, record, "refused");
}

void onBlocked(TrafficContext& context, uint32_t hexid) {
  LiveAircraft* aircraft = context.state.findHexid(hexid);
  if (aircraft == nullptr) return;
  if (aircraft->state == SimState::Buffer) {
    writeLogLine("{} will be removed from buffer while blocked", aircraftName(*aircraft));
  } else {
    writeLogLine("{} removed from simulator immediately while blocked", aircraftName(*aircraft));
  }
  removeAircraftFromSim(context, *aircraft, "blocked");
}

}  // namespace

void handleNotifications(TrafficContext& context, std::vector<sim::SimNotification>& scratch) {
  context.simulator.exchange().takeNotifications(scratch);
  for (const sim::SimNotification& notification : scratch) {
    switch (notification.kind) {
      case sim::NotificationKind::LiveCreated: onLiveObjectCreated(context, notification); break;
      case sim::NotificationKind::StaticCreated: onStaticObjectCreated(context, notification); break;
      case sim::NotificationKind::Removed:
        if (!onStaticObjectRemoved(context.state, notification.objectId)) onRemoved(context, notification.objectId);
        break;
      case sim::NotificationKind::CreateFailed: onCreateFailed(context, notification.hexid); break;
      case sim::NotificationKind::CallsignBlocked: onBlocked(context, notification.hexid); break;
      case sim::NotificationKind::GroundData: onGroundData(context, notification); break;
      case sim::NotificationKind::Shape: onObjectShape(context, notification); break;
    }
  }
  advanceCreatedObjects(context);
  advanceStaticObjects(context);
}

}  // namespace tfx
