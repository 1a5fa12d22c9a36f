#include "sim_session.h"

#include <algorithm>
#include <filesystem>

#include "message_text.h"
#include "sim/simconnect/overloaded.h"
#include "sim/simconnect/object_data.h"
#include "text.h"

namespace tfx::simstandin {
namespace sc = simconnect;
using sc::SimConnectException;

namespace {

// Above this radius a by-type request is refused, as the simulator does.
constexpr uint32_t kMaxByTypeRadiusMeters = 200000;

const std::set<std::string> kSystemEvents = {
    "1sec",          "4sec",          "6hz",         "aircraftloaded", "crashed",  "crashreset",
    "flightloaded",  "flightsaved",   "frame",       "objectadded",    "objectremoved", "pause",
    "paused",        "pausedframe",   "positionchanged", "sim",        "simstart", "simstop",
    "sound",         "unpaused",      "view",
};

std::string upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

bool acceptedOpen(const sc::OpenRequest& r, uint32_t protocol) {
  const bool ours = protocol == sc::kP3dProtocol && r.simulatorTag == sc::kP3dOpenTag && r.version[0] == 5;
  const bool fsxSp2 = protocol == sc::kFsxSp2Protocol && r.simulatorTag == sc::kFsxOpenTag &&
                      std::equal(std::begin(r.version), std::end(r.version), std::begin(sc::kFsxSp2OpenVersion));
  return ours || fsxSp2;
}

// Light bits of "LIGHT STATES" switched by the client events.
uint32_t lightBit(const std::string& event) {
  if (event == "NAV_LIGHTS_SET") return 0x1;
  if (event == "BEACON_LIGHTS_SET") return 0x2;
  if (event == "LANDING_LIGHTS_SET") return 0x4;
  if (event == "TAXI_LIGHTS_SET") return 0x8;
  if (event == "STROBES_SET") return 0x10;
  if (event == "LOGO_LIGHTS_SET") return 0x100;
  if (event == "CABIN_LIGHTS_SET") return 0x200;
  return 0;
}

void applyEvent(const std::string& event, uint32_t data, SimObject& object) {
  if (const uint32_t bit = lightBit(event)) {
    object.lightStates = data != 0 ? object.lightStates | bit : object.lightStates & ~bit;
  } else if (event == "ALL_LIGHTS_TOGGLE") {
    object.lightStates = object.lightStates != 0 ? 0 : 0x3FF;
  } else if (event == "FREEZE_LATITUDE_LONGITUDE_SET") {
    object.frozenPosition = data != 0;
  } else if (event == "FREEZE_ALTITUDE_SET") {
    object.frozenAltitude = data != 0;
  } else if (event == "FREEZE_ATTITUDE_SET") {
    object.frozenAttitude = data != 0;
  } else if (event == "ENGINE_AUTO_START") {
    object.engineRunning = true;
  } else if (event == "ENGINE_AUTO_SHUTDOWN") {
    object.engineRunning = false;
  }
}

}  // namespace

SimSession::SimSession(World& world, SimulatorIdentity identity, Trace& trace)
    : world_(world), identity_(std::move(identity)), trace_(trace) {}

void SimSession::send(const sc::ServerMessage& message, Replies& out) const {
  out.push_back(sc::encodeServerMessage(message, version_));
}

void SimSession::exception(SimConnectException number, uint32_t sendId, uint32_t index, Replies& out) const {
  send(sc::ExceptionMessage{static_cast<uint32_t>(number), sendId, index}, out);
}

std::vector<uint32_t> SimSession::subscribers(const std::string& name) const {
  std::vector<uint32_t> ids;
  for (const auto& [eventId, subscribed] : subscriptions_)
    if (subscribed == name) ids.push_back(eventId);
  return ids;
}

void SimSession::systemEvent(const std::string& name, uint32_t data, Replies& out) const {
  for (uint32_t eventId : subscribers(name)) send(sc::EventMessage{sc::kUnknownGroup, eventId, data, 0}, out);
}

void SimSession::addRemoveEvent(const std::string& name, uint32_t objectId, Replies& out) const {
  for (uint32_t eventId : subscribers(name))
    send(sc::ObjectAddRemoveMessage{sc::kUnknownGroup, eventId, objectId, sc::SimObjectType::Aircraft, 0}, out);
}

void SimSession::objectData(bool byType, uint32_t requestId, uint32_t defineId, uint32_t flags,
                            const SimObject& object, uint32_t entry, uint32_t outOf, Replies& out) const {
  const std::vector<Datum>& definition = definitions_.at(defineId);
  sc::Bytes data;
  sc::DatumWriter writer(data);
  std::optional<ZuluTime> zulu;
  for (const Datum& datum : definition) writeDatum(writer, datum, object, world_, zulu);
  send(sc::SimObjectDataMessage{byType, requestId, object.id, defineId, byType ? 0 : flags, entry, outOf,
                                static_cast<uint32_t>(definition.size()), data},
       out);
}

void SimSession::handle(sc::ByteView message, double seconds, Replies& out) {
  const sc::DecodedClientMessage decoded = sc::decodeClientMessage(message);
  const sc::ClientHeader& h = decoded.header;
  if (trace_.logsMessages())
    trace_.message(seconds, h.id, h.size, h.sendId, decoded.request ? describeRequest(*decoded.request) : "");
  if (!decoded.request) {
    exception(SimConnectException::Error, h.sendId, 0, out);
    return;
  }
  if (!opened_ && !std::holds_alternative<sc::OpenRequest>(*decoded.request)) {
    exception(SimConnectException::Unopened, h.sendId, 0, out);
    return;
  }
  const uint32_t sendId = h.sendId;
  std::visit(
      simconnect::Overloaded{
          [&](const sc::OpenRequest& r) {
            version_ = h.protocol;
            onOpen(r, sendId, out);
          },
          [&](const sc::MapClientEventRequest& r) { mappedEvents_[r.eventId] = upper(r.eventName); },
          [&](const sc::TransmitClientEventRequest& r) { onTransmit(r, sendId, out); },
          [&](const sc::AddClientEventToGroupRequest& r) { groups_[r.groupId].insert(r.eventId); },
          [&](const sc::SetGroupPriorityRequest& r) { groupPriorities_[r.groupId] = r.priority; },
          [&](const sc::AddToDataDefinitionRequest& r) {
            if (r.dataType == sc::DataType::Invalid || r.dataType > sc::DataType::StringV) {
              exception(SimConnectException::InvalidDataType, sendId, 4, out);
              return;
            }
            definitions_[r.defineId].push_back(makeDatum(r.datumName, r.unitsName, r.dataType));
          },
          [&](const sc::RequestDataRequest& r) { onRequestData(r, sendId, seconds, out); },
          [&](const sc::RequestDataByTypeRequest& r) { onRequestByType(r, sendId, out); },
          [&](const sc::SetDataRequest& r) { onSetData(r, sendId, out); },
          [&](const sc::SubscribeToSystemEventRequest& r) { onSubscribe(r, sendId, out); },
          [&](const sc::AICreateNonAtcAircraftRequest& r) { onCreate(r, sendId, out); },
          [&](const sc::AIReleaseControlRequest& r) {
            if (SimObject* object = aiObject(r.objectId, sendId, 1, out)) object->aiReleased = true;
          },
          [&](const sc::AIRemoveObjectRequest& r) { onRemove(r, sendId, out); },
          [&](const sc::AISetFlightPlanRequest& r) { onFlightPlan(r, sendId, out); },
      },
      *decoded.request);
}

void SimSession::onOpen(const sc::OpenRequest& r, uint32_t sendId, Replies& out) {
  if (!acceptedOpen(r, version_)) {
    exception(SimConnectException::VersionMismatch, sendId, 0, out);
    return;
  }
  opened_ = true;
  sc::OpenMessage reply;
  reply.applicationName = identity_.name;
  reply.applicationVersionMajor = identity_.version[0];
  reply.applicationVersionMinor = identity_.version[1];
  reply.applicationBuildMajor = identity_.version[2];
  reply.applicationBuildMinor = identity_.version[3];
  reply.simConnectVersionMajor = identity_.version[0];
  reply.simConnectVersionMinor = identity_.version[1];
  send(reply, out);
}

void SimSession::onSubscribe(const sc::SubscribeToSystemEventRequest& r, uint32_t sendId, Replies& out) {
  const std::string name = lower(r.eventName);
  if (!kSystemEvents.contains(name)) {
    exception(SimConnectException::NameUnrecognized, sendId, 2, out);
    return;
  }
  subscriptions_[r.eventId] = name;
  // The simulator tells a new "Sim" subscriber its current state at once.
  if (name == "sim") send(sc::EventMessage{sc::kUnknownGroup, r.eventId, 1, 0}, out);
}

void SimSession::onRequestData(const sc::RequestDataRequest& r, uint32_t sendId, double seconds, Replies& out) {
  if (!definitions_.contains(r.defineId)) return exception(SimConnectException::UnrecognizedId, sendId, 2, out);
  const uint32_t objectId = r.objectId == sc::kObjectIdUser ? World::kUserObjectId : r.objectId;
  const SimObject* object = world_.find(objectId);
  if (object == nullptr) return exception(SimConnectException::UnrecognizedId, sendId, 3, out);
  // A new request with the same id replaces the old one.
  requests_.erase(r.requestId);
  switch (r.period) {
    case sc::Period::Never: return;
    case sc::Period::Once: return objectData(false, r.requestId, r.defineId, r.flags, *object, 1, 1, out);
    case sc::Period::Second:
      objectData(false, r.requestId, r.defineId, r.flags, *object, 1, 1, out);
      requests_[r.requestId] = {r.requestId, r.defineId, objectId, r.flags, r.period, seconds + 1.0};
      return;
    case sc::Period::VisualFrame:
    case sc::Period::SimFrame:
      requests_[r.requestId] = {r.requestId, r.defineId, objectId, r.flags, r.period, seconds};
      return;
  }
  exception(SimConnectException::Error, sendId, 4, out);
}

void SimSession::onRequestByType(const sc::RequestDataByTypeRequest& r, uint32_t sendId, Replies& out) {
  if (!definitions_.contains(r.defineId)) return exception(SimConnectException::UnrecognizedId, sendId, 2, out);
  if (r.radiusMeters > kMaxByTypeRadiusMeters) return exception(SimConnectException::OutOfBounds, sendId, 3, out);
  std::vector<const SimObject*> objects;
  switch (r.objectType) {
    case sc::SimObjectType::User: objects = {&world_.user()}; break;
    case sc::SimObjectType::All:
    case sc::SimObjectType::Aircraft:
      // Radius 0 means the user aircraft alone.
      objects = r.radiusMeters == 0 ? std::vector<const SimObject*>{&world_.user()}
                                    : world_.aircraftWithin(r.radiusMeters);
      break;
    default: break;  // no helicopters, boats or ground vehicles here
  }
  const auto outOf = static_cast<uint32_t>(objects.size());
  for (uint32_t i = 0; i < outOf; ++i) objectData(true, r.requestId, r.defineId, 0, *objects[i], i + 1, outOf, out);
}

void SimSession::onSetData(const sc::SetDataRequest& r, uint32_t sendId, Replies& out) {
  const auto definition = definitions_.find(r.defineId);
  if (definition == definitions_.end()) return exception(SimConnectException::UnrecognizedId, sendId, 1, out);
  const uint32_t objectId = r.objectId == sc::kObjectIdUser ? World::kUserObjectId : r.objectId;
  SimObject* object = world_.find(objectId);
  if (object == nullptr) return exception(SimConnectException::UnrecognizedId, sendId, 2, out);
  const uint32_t record = recordSize(definition->second);
  const uint32_t count = r.elementCount == 0 ? 1 : r.elementCount;
  if (record == 0 || r.data.size() != static_cast<size_t>(record) * count)
    return exception(SimConnectException::InvalidDataSize, sendId, 5, out);
  sc::DatumReader reader(r.data);
  for (uint32_t i = 0; i < count; ++i)
    for (const Datum& datum : definition->second) readDatum(reader, datum, *object);
}

void SimSession::onTransmit(const sc::TransmitClientEventRequest& r, uint32_t sendId, Replies& out) {
  const auto mapped = mappedEvents_.find(r.eventId);
  if (mapped == mappedEvents_.end()) return exception(SimConnectException::UnrecognizedId, sendId, 2, out);
  const uint32_t objectId = r.objectId == sc::kObjectIdUser ? World::kUserObjectId : r.objectId;
  SimObject* object = world_.find(objectId);
  if (object == nullptr) return exception(SimConnectException::UnrecognizedId, sendId, 1, out);
  applyEvent(mapped->second, r.data, *object);
  // Like the simulator, notify the groups that hold the event.
  for (const auto& [groupId, events] : groups_)
    if (events.contains(r.eventId)) send(sc::EventMessage{groupId, r.eventId, r.data, 0}, out);
}

SimObject* SimSession::aiObject(uint32_t objectId, uint32_t sendId, uint32_t index, Replies& out) {
  SimObject* object = world_.find(objectId);
  if (object == nullptr) {
    exception(SimConnectException::UnrecognizedId, sendId, index, out);
    return nullptr;
  }
  if (object->isUser) {
    exception(SimConnectException::OperationInvalidForObjectType, sendId, index, out);
    return nullptr;
  }
  return object;
}

void SimSession::onCreate(const sc::AICreateNonAtcAircraftRequest& r, uint32_t sendId, Replies& out) {
  const sc::InitPosition& p = r.position;
  const auto id = world_.createAircraft(r.containerTitle, r.tailNumber, p.latitude, p.longitude, p.altitude,
                                        p.pitch, p.bank, p.heading, p.airspeed);
  if (!id) return exception(SimConnectException::CreateObjectFailed, sendId, 1, out);
  ownObjects_.insert(*id);
  send(sc::AssignedObjectIdMessage{r.requestId, *id}, out);
  addRemoveEvent("objectadded", *id, out);
}

void SimSession::onRemove(const sc::AIRemoveObjectRequest& r, uint32_t sendId, Replies& out) {
  if (aiObject(r.objectId, sendId, 1, out) == nullptr) return;
  world_.remove(r.objectId);
  ownObjects_.erase(r.objectId);
  addRemoveEvent("objectremoved", r.objectId, out);
}

void SimSession::onFlightPlan(const sc::AISetFlightPlanRequest& r, uint32_t sendId, Replies& out) {
  SimObject* object = aiObject(r.objectId, sendId, 1, out);
  if (object == nullptr) return;
  std::string path = r.flightPlanPath;
  std::replace(path.begin(), path.end(), '\\', '/');
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error) && !std::filesystem::is_regular_file(path + ".pln", error))
    return exception(SimConnectException::LoadFlightplanFailed, sendId, 2, out);
  object->flightPlan = r.flightPlanPath;
}

void SimSession::frame(double seconds, double frameRate, bool paused, Replies& out) {
  if (opened_) {
    ++frames_;
    for (uint32_t eventId : subscribers("frame"))
      send(sc::FrameMessage{sc::kUnknownGroup, eventId, frames_, static_cast<float>(frameRate),
                            paused ? 0.0f : 1.0f, 0},
           out);
    for (auto it = requests_.begin(); it != requests_.end();) {
      PeriodicRequest& request = it->second;
      const SimObject* object = world_.find(request.objectId);
      if (object == nullptr) {
        it = requests_.erase(it);
        continue;
      }
      bool due = request.period == sc::Period::VisualFrame || (request.period == sc::Period::SimFrame && !paused);
      if (request.period == sc::Period::Second && seconds >= request.nextSecond) {
        due = true;
        // Keep the one-second rhythm, but never send a burst after a stall.
        request.nextSecond = std::max(request.nextSecond + 1.0, seconds + 0.5);
      }
      if (due) objectData(false, request.requestId, request.defineId, request.flags, *object, 1, 1, out);
      ++it;
    }
  }
  for (const auto& [id, object] : world_.objects())
    if (!object.isUser) trace_.object(seconds, object, world_.onGround(object));
  trace_.flush();
}

void SimSession::announce(const ScenarioEvents& events, Replies& out) {
  if (!opened_) return;
  if (events.teleported) systemEvent("positionchanged", 0, out);
  // A scripted pause is the user stopping the flight, as the simulator's menu
  // does: the flight is reported as not running until it resumes.
  if (events.paused) {
    systemEvent("pause", 1, out);
    systemEvent("paused", 0, out);
    systemEvent("sim", 0, out);
  }
  if (events.resumed) {
    systemEvent("pause", 0, out);
    systemEvent("unpaused", 0, out);
    systemEvent("sim", 1, out);
  }
  for (uint32_t id : events.otherTrafficAdded) addRemoveEvent("objectadded", id, out);
  for (const std::string& file : events.flightsLoaded)
    for (uint32_t eventId : subscribers("flightloaded"))
      send(sc::FileNameMessage{sc::kUnknownGroup, eventId, 0, file, 0}, out);
}

void SimSession::quit(Replies& out) {
  if (opened_) send(sc::QuitMessage{}, out);
}

void SimSession::end() {
  for (uint32_t id : ownObjects_) world_.remove(id);
  ownObjects_.clear();
}

}  // namespace tfx::simstandin
