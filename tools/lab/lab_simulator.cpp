#include "lab_simulator.h"

#include <algorithm>
#include <stdexcept>

#include "core/parameters.h"
#include "options.h"
#include "runstate/product.h"
#include "scenario.h"
#include "sim/registration.h"
#include "sim/sim_ids.h"
#include "sim/user_state.h"

namespace tfx::lab {

namespace sc = simconnect;

namespace {
// The session is up within a few frames; a stand-in that never gets there is broken.
constexpr int kMostConnectFrames = 1000;
}  // namespace

int32_t MemoryOps::send(const sc::ClientRequest& request) {
  const uint32_t sendId = sendIds_.peekNext();
  const sc::Bytes message = sc::encodeClientMessage(request, sc::kP3dProtocol, sendId);
  sendIds_.commit(sendId);
  std::vector<sc::Bytes> out;
  standin_.handle(message, seconds_, out);
  for (sc::Bytes& reply : out) replies_.push_back(std::move(reply));
  return sc::kResultOk;
}

int32_t MemoryOps::open(std::string_view applicationName) {
  sc::OpenRequest request;
  request.applicationName = applicationName;
  return send(request);
}

int32_t MemoryOps::mapClientEventToSimEvent(uint32_t eventId, std::string_view eventName) {
  return send(sc::MapClientEventRequest{eventId, std::string(eventName)});
}

int32_t MemoryOps::addClientEventToNotificationGroup(uint32_t groupId, uint32_t eventId) {
  return send(sc::AddClientEventToGroupRequest{groupId, eventId, 0});
}

int32_t MemoryOps::setNotificationGroupPriority(uint32_t groupId, uint32_t priority) {
  return send(sc::SetGroupPriorityRequest{groupId, priority});
}

int32_t MemoryOps::subscribeToSystemEvent(uint32_t eventId, std::string_view eventName) {
  return send(sc::SubscribeToSystemEventRequest{eventId, std::string(eventName)});
}

int32_t MemoryOps::addToDataDefinition(uint32_t defineId, std::string_view datumName, std::string_view unitsName,
                                       sc::DataType dataType) {
  return send(sc::AddToDataDefinitionRequest{defineId, std::string(datumName), std::string(unitsName), dataType, 0.0f,
                                             sc::kUnused});
}

int32_t MemoryOps::requestDataOnSimObject(uint32_t requestId, uint32_t defineId, uint32_t objectId,
                                          sc::Period period) {
  return send(sc::RequestDataRequest{requestId, defineId, objectId, period, 0, 0, 0, 0});
}

int32_t MemoryOps::requestDataOnSimObjectType(uint32_t requestId, uint32_t defineId, uint32_t radiusMeters,
                                              sc::SimObjectType objectType) {
  return send(sc::RequestDataByTypeRequest{requestId, defineId, radiusMeters, objectType});
}

int32_t MemoryOps::setDataOnSimObject(uint32_t defineId, uint32_t objectId, sc::ByteView record) {
  return send(sc::SetDataRequest{defineId, objectId, 0, 1, static_cast<uint32_t>(record.size()),
                                 sc::Bytes(record.begin(), record.end())});
}

int32_t MemoryOps::transmitClientEvent(uint32_t objectId, uint32_t eventId, uint32_t data) {
  return send(sc::TransmitClientEventRequest{objectId, eventId, data, sim::kEventGroup, 0});
}

int32_t MemoryOps::aiCreateNonAtcAircraft(std::string_view containerTitle, std::string_view tailNumber,
                                          const sc::InitPosition& position, uint32_t requestId, int32_t& packetIdResult,
                                          uint32_t& packetId) {
  const int32_t result = send(
      sc::AICreateNonAtcAircraftRequest{std::string(containerTitle), std::string(tailNumber), position, requestId});
  packetId = sendIds_.last();
  packetIdResult = sc::kResultOk;
  return result;
}

int32_t MemoryOps::aiReleaseControl(uint32_t objectId, uint32_t requestId) {
  return send(sc::AIReleaseControlRequest{objectId, requestId});
}

int32_t MemoryOps::aiRemoveObject(uint32_t objectId, uint32_t requestId) {
  return send(sc::AIRemoveObjectRequest{objectId, requestId});
}

int32_t MemoryOps::aiSetAircraftFlightPlan(uint32_t objectId, std::string_view path, uint32_t requestId) {
  return send(sc::AISetFlightPlanRequest{objectId, std::string(path), requestId});
}

LabSimulator::LabSimulator(const SimulatorSetup& setup)
    : setup_(setup),
      world_(setup.groundElevation, setup.installedTitles),
      trace_("", setup.messageLog.string()),
      standin_(world_, simstandin::simulatorIdentity("v5"), trace_) {
  simstandin::ScenarioPlan plan;
  plan.start = {setup.userLat, setup.userLon, setup.userHeading, setup.userAltitude, 0.0};
  simstandin::Scenario scenario(plan);
  scenario.begin(world_);
}

UserSnapshot LabSimulator::userSnapshot() const {
  const double aboveGround = std::max(0.0, setup_.userAltitude - setup_.groundElevation);
  // Decided here: the lab's user aircraft stands still and spans like an A320.
  return {.known = true,
          .position = {setup_.userLat, setup_.userLon},
          .heading = setup_.userHeading * kDegToRad,
          .altitude = setup_.userAltitude,
          .aboveGroundFt = aboveGround,
          .groundSpeed = 0.0,
          .onGround = aboveGround < 1.0,
          .halfWingspanNm = 0.009665226781857453};
}

void LabSimulator::dispatchReplies() {
  std::deque<sc::Bytes>& replies = ops_.replies();
  while (!replies.empty()) {
    const sc::Bytes message = std::move(replies.front());
    replies.pop_front();
    dispatcher_(sc::decodeServerMessage(message));
  }
}

void LabSimulator::frame(double seconds) {
  ops_.setTime(seconds);
  std::vector<sc::Bytes> out;
  standin_.frame(seconds, setup_.frameHz, false, out);
  for (sc::Bytes& reply : out) ops_.replies().push_back(std::move(reply));
  dispatchReplies();
}

void LabSimulator::connect() {
  values_.expectedMajorVersion = 5;
  ops_.open(kProductName);
  dispatchReplies();
  sim::registerSession(ops_);
  core_.requestUserState();
  core_.requestUserOnGroundEverySecond();
  dispatchReplies();
  for (int i = 0; i < kMostConnectFrames; ++i) {
    const sim::UserState user = values_.received();
    if (values_.flightRunning.load() && sim::positionKnown(user.lat, user.lon)) {
      values_.copyReceivedToSnapshot();
      // The virtual clock starts at 0 with the traffic; the frames of the start-up were before it.
      nextFrame_ = 0;
      frames_ = 0;
      return;
    }
    runFramesUntil(nextFrame_, [](double, const simstandin::World&) {});
  }
  throw std::runtime_error("the simulator stand-in never reported a running flight");
}

void LabSimulator::periodicRequests(int32_t cycle, bool fastGroundScan) {
  ops_.setTime(cycle / 100.0);
  core_.periodicRequests(cycle, fastGroundScan, trafficRadius().meters.load());
  dispatchReplies();
}

}  // namespace tfx::lab
