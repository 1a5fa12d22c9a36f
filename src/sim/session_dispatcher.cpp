#include "sim/session_dispatcher.h"

#include <fmt/format.h>

#include <algorithm>

#include "aircraft/aircraft_queries.h"
#include "core/log.h"
#include "core/message_line.h"
#include "core/window_surface.h"
#include "runstate/product.h"
#include "runstate/stop_flags.h"
#include "runstate/user_error.h"
#include "sim/simconnect/object_data.h"
#include "sim/simconnect/overloaded.h"

namespace tfx::sim {
namespace {

namespace sc = simconnect;

constexpr uint32_t kFrameRateEveryFrames = 30;
constexpr size_t kShownTitleLength = 48;
constexpr double kGroundDataAboveGroundFeet = 2500.0;
constexpr uint32_t kAtcIdLength = 32;
constexpr uint32_t kUserModelLength = 32;

}  // namespace

void SessionDispatcher::operator()(const sc::ServerMessage& message) {
  std::visit(simconnect::Overloaded{
                 [&](const sc::ExceptionMessage& m) { onException(m); },
                 [&](const sc::OpenMessage& m) { onOpen(m); },
                 [&](const sc::QuitMessage&) { core_.simulatorGone(); },
                 [&](const sc::EventMessage& m) { onEvent(m); },
                 [&](const sc::ObjectAddRemoveMessage& m) { onObjectAddRemove(m); },
                 [&](const sc::FileNameMessage&) { onFileName(); },
                 [&](const sc::FrameMessage& m) { onFrame(m); },
                 [&](const sc::SimObjectDataMessage& m) { onObjectData(m); },
                 [&](const sc::AssignedObjectIdMessage&) {},
                 [&](const sc::OtherMessage& m) { onOther(m.id); },
             },
             message);
}

void SessionDispatcher::onException(const sc::ExceptionMessage& message) {
  using E = sc::SimConnectException;
  switch (static_cast<E>(message.exception)) {
    case E::UnrecognizedId: {
      const UserState user = core_.values().received();
      if (positionKnown(user.lat, user.lon) && !stopRequested()) writeLogError("SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID");
      return;
    }
    case E::VersionMismatch:
      throw UserErrorException(95, fmt::format("SimConnect Version Mismatch, dwIndex: {}", message.index));
    case E::TooManyObjects:
      core_.values().setNotice("SimConnect: too many objects (max 1000)");
      repaintStatusArea();
      return;
    case E::InvalidDataSize: writeLogError("SIMCONNECT_EXCEPTION_INVALID_DATA_SIZE"); return;
    case E::CreateObjectFailed: {
      ExchangeLists& exchange = core_.exchange();
      uint32_t hexid = 0;
      {
        std::lock_guard lock(exchange.positionMutex());
        auto& pending = exchange.pendingCreations;
        const auto it = std::find_if(pending.begin(), pending.end(),
                                     [&](const PendingCreation& p) { return p.packetId == message.sendId; });
        if (it == pending.end()) return;
        hexid = it->hexid;
        pending.erase(it);
      }
      if (hexid != 0) exchange.postNotification({.hexid = hexid, .kind = NotificationKind::CreateFailed});
      return;
    }
    case E::LoadFlightplanFailed: writeLogError("SimConnect exception: load flight plan failed"); return;
    case E::OperationInvalidForObjectType:
      writeLogError("SIMCONNECT_EXCEPTION_OPERATION_INVALID_FOR_OBJECT_TYPE");
      return;
    default: writeLogError(fmt::format("SIMCONNECT_EXCEPTION #{}", message.exception)); return;
  }
}

void SessionDispatcher::onOpen(const sc::OpenMessage& message) {
  const std::string name = reducedSimulatorName(message.applicationName);
  if (name.empty()) {
    writeLog("! Simulator name empty?");
  } else if (name == "KittyHawk" || name == "SunRise") {
    throw UserErrorException(78, name + ", (MSFS) not being P3D connects ... ?");
  } else {
    writeLog(fmt::format("{} ({}.{}.{}.{})", name, message.applicationVersionMajor, message.applicationVersionMinor,
                         message.applicationBuildMajor, message.applicationBuildMinor));
    writeLog(fmt::format("{} connected", name));
    core_.values().setSimulatorName(name);
    repaintStatusArea();
  }
  // The simulator that answers must be the version the settings expect; a
  // "v5"/"v6" in the install path does not stand in for the name.
  const std::string expected = fmt::format("v{}", core_.values().expectedMajorVersion.load());
  if (name.find(expected) == std::string::npos)
    throw UserErrorException(78, fmt::format("wrong P3D version '{}' connects ... ?)", name));
  core_.values().connected = true;
  repaintStatusArea();
}

void SessionDispatcher::onEvent(const sc::EventMessage& message) {
  switch (message.eventId) {
    case kEvSim:
      core_.values().flightRunning = message.data == 1;
      repaintStatusArea();
      return;
    case kEvPositionChanged: writeLog("User ac position changed"); return;
    case kEvFlightLoaded:
      writeLog("SimConnect: flight loaded event");
      core_.recheckUserStand();
      core_.restartForNewFlight();
      return;
    default: return;  // our own client events, echoed to their group
  }
}

void SessionDispatcher::onObjectAddRemove(const sc::ObjectAddRemoveMessage& message) {
  if (message.objectType != sc::SimObjectType::Aircraft) return;
  if (message.eventId == kEvObjectAdded) {
    if (message.objectId <= core_.values().userObjectId.load()) return;
    std::lock_guard lock(core_.exchange().positionMutex());
    core_.exchange().justAddedObjects.push_back(message.objectId);
  } else if (message.eventId == kEvObjectRemoved) {
    core_.exchange().postNotification({.objectId = message.objectId, .kind = NotificationKind::Removed});
  }
}

void SessionDispatcher::onFileName() {
  writeLog("SimConnect: New file event");
  core_.recheckUserStand();
  core_.restartForNewFlight();
}

void SessionDispatcher::onFrame(const sc::FrameMessage& message) {
  if (++frames_ % kFrameRateEveryFrames == 0) core_.values().frameRate = message.frameRate;
  core_.frameWork();
}

void SessionDispatcher::onObjectData(const sc::SimObjectDataMessage& message) {
  if (message.byType) {
    if (message.requestId == kReqAircraftAround) onAircraftAround(message);
    return;
  }
  switch (message.requestId) {
    case kReqObjectShape: onObjectShape(message); return;
    case kReqUserTitle: onUserTitle(message); return;
    case kReqUserModel: onUserModel(message); return;
    case kReqUserOnGround: onUserOnGround(message); return;
    case kReqUserState: onUserState(message); return;
    default: return;
  }
}

void SessionDispatcher::onObjectShape(const sc::SimObjectDataMessage& message) {
  sc::DatumReader reader(message.data);
  const double cgHeight = reader.float64();
  const double staticPitch = reader.float64();
  if (!reader.ok()) return;
  core_.exchange().postNotification(
      {.objectId = message.objectId, .kind = NotificationKind::Shape, .valueA = cgHeight, .valueB = staticPitch});
}

void SessionDispatcher::onUserTitle(const sc::SimObjectDataMessage& message) {
  sc::DatumReader reader(message.data);
  const std::string title = reader.variableString();
  if (!reader.ok()) return;
  core_.values().setUserTitle(title);
  if (title == lastTitle_) return;
  lastTitle_ = title;
  core_.values().setUserTitleText(title.substr(0, kShownTitleLength));
  repaintStatusArea();
  writeLog("SimConnect: User aircraft title: " + title);
}

void SessionDispatcher::onUserModel(const sc::SimObjectDataMessage& message) {
  sc::DatumReader reader(message.data);
  std::string model = reader.fixedString(kUserModelLength);
  if (!reader.ok()) return;
  writeLog(fmt::format("model raw: {}", model));
  std::string line;
  bool noAircraft = false;
  if (model.empty()) {
    showMessage("atc_model= in [General] section of your aircraft.cfg is empty or missing");
    const DeducedModel deduced = modelFromTitle(core_.values().userAircraft().title);
    model = deduced.model;
    noAircraft = deduced.noAircraft;
    line = "SimConnect: User aircraft model deduced from title: " + model;
  } else {
    line = "SimConnect: User aircraft model: " + model;
  }
  // A camera or a vessel has no wings to keep traffic away from.
  double halfWingspanNm = 0;
  if (!noAircraft) {
    if (gf_validAcType(model)) {
      halfWingspanNm = gf_halfWingspan(model);
    } else {
      halfWingspanNm = gf_largestHalfWingspan();
      showMessage("User aircraft wing span unknown, max is taken instead, please report in my Forum!");
    }
  }
  const AircraftCategory category = gf_acCategory(model);
  core_.values().setUserModel(model, halfWingspanNm, category);
  writeLog(line + fmt::format(", half wing span: {:.1F} meter", halfWingspanNm * kMetersPerNm) +
           fmt::format(", category: {}", categoryName(category)));
}

void SessionDispatcher::onUserOnGround(const sc::SimObjectDataMessage& message) {
  sc::DatumReader reader(message.data);
  const int64_t onGround = reader.int64();
  if (!reader.ok()) return;
  const UserState user = core_.values().received();
  if (positionKnown(user.lat, user.lon)) core_.values().setUserOnGround(onGround != 0);
  core_.values().tick = true;
}

void SessionDispatcher::onUserState(const sc::SimObjectDataMessage& message) {
  sc::DatumReader reader(message.data);
  UserState state;
  state.lat = reader.float64();
  state.lon = reader.float64();
  state.pitch = reader.float64();
  state.bank = reader.float64();
  state.heading = reader.float64();
  state.altitude = reader.float64();
  state.altitudeAboveGround = std::max(0.0, reader.float64());
  state.groundSpeed = reader.float64();
  state.zuluTime = reader.int64();
  state.zuluDayOfYear = reader.int64();
  state.zuluYear = reader.int64();
  state.lightStates = reader.int64();
  if (!reader.ok()) return;

  SessionValues& values = core_.values();
  const UserState previous = values.received();
  // Computed always: it is cheap, and the time is then ready whenever
  // RealTraffic asks for it. A date no calendar holds keeps the last time.
  state.epochTime =
      epochTimeFromZulu(state.zuluYear, state.zuluDayOfYear, state.zuluTime).value_or(previous.epochTime);
  if (isTeleport({previous.lat, previous.lon}, {state.lat, state.lon})) {
    writeLog("Teleport");
    core_.restartForNewFlight();
  }
  values.setReceived(state);
  values.userObjectId = message.objectId;
  if (values.userOnGround().value_or(false)) {
    const UserStand stand = core_.standAt({state.lat, state.lon});
    if (values.setUserStandText(stand.name)) repaintStatusArea();
  }
}

void SessionDispatcher::onAircraftAround(const sc::SimObjectDataMessage& message) {
  if (message.objectId <= core_.values().userObjectId.load()) return;
  sc::DatumReader reader(message.data);
  const double altitudeAboveGround = reader.float64();
  const double groundAltitude = reader.float64();
  const int64_t onGround = reader.int64();
  const std::string atcId = reader.fixedString(kAtcIdLength);
  if (!reader.ok()) return;

  bool justAdded = false;
  {
    std::lock_guard lock(core_.exchange().positionMutex());
    auto& added = core_.exchange().justAddedObjects;
    const auto it = std::find(added.begin(), added.end(), message.objectId);
    if (it != added.end()) {
      added.erase(it);
      justAdded = true;
    }
  }
  if (justAdded) return onObjectBirth(message.objectId, atcId, altitudeAboveGround, onGround, groundAltitude);

  if (altitudeAboveGround > kGroundDataAboveGroundFeet || atcId.empty() || atcId.back() == '*') return;
  core_.exchange().postNotification({.objectId = message.objectId,
                                     .hexid = onGround != 0 ? 1u : 0u,
                                     .kind = NotificationKind::GroundData,
                                     .valueA = groundAltitude,
                                     .valueB = altitudeAboveGround});
}

void SessionDispatcher::onObjectBirth(uint32_t objectId, const std::string& atcId, double altitudeAboveGround,
                                      int64_t onGround, double groundAltitude) {
  ExchangeLists& exchange = core_.exchange();
  uint32_t hexid = 0;
  {
    std::lock_guard lock(exchange.positionMutex());
    auto& pending = exchange.pendingCreations;
    const auto it =
        std::find_if(pending.begin(), pending.end(), [&](const PendingCreation& p) { return p.callsign == atcId; });
    if (it == pending.end()) {
      writeLog(fmt::format(
          "just spawned, but not by {}, oid: {}, callsign '{}', altaboveGnd:{:.0f} ft, onground:{}, gnd_alt:{:.0f} ft",
          kProductName, objectId, atcId, altitudeAboveGround, onGround, groundAltitude));
      return;
    }
    hexid = it->hexid;
    pending.erase(it);
    if (core_.ops().aiReleaseControl(objectId, kReqReleaseControl) < 0) core_.requestError();
    // Frozen: from now on only the positions written every frame move it.
    for (uint32_t freeze : {kEvFreezeLatLon, kEvFreezeAltitude, kEvFreezeAttitude})
      exchange.events.push_back({objectId, freeze, 1});
  }
  if (hexid > kMaxStaticHexid)
    exchange.postNotification(
        {.objectId = objectId, .hexid = hexid, .kind = NotificationKind::LiveCreated, .valueB = altitudeAboveGround});
  else
    exchange.postNotification({.objectId = objectId, .hexid = hexid, .kind = NotificationKind::StaticCreated});
}

void SessionDispatcher::onOther(uint32_t id) {
  const auto kind = static_cast<sc::ServerMessageId>(id);
  if (kind == sc::ServerMessageId::AssignedObjectId || kind == sc::ServerMessageId::ClientData) return;
  writeLog(fmt::format("! Unknown Dispatch dwID {}", id));
}

}  // namespace tfx::sim
