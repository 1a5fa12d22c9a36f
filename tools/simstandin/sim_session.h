#pragma once
// The simulator's side of one client connection, without the socket: takes
// the client's messages and produces the replies, events and periodic data a
// Prepar3D server sends. Keeps the client's data definitions, event mappings,
// notification groups, subscriptions and requests.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "options.h"
#include "scenario.h"
#include "sim/simconnect/client_messages.h"
#include "sim/simconnect/server_messages.h"
#include "trace.h"
#include "variables.h"
#include "world.h"

namespace tfx::simstandin {

using Replies = std::vector<tfx::simconnect::Bytes>;

class SimSession {
 public:
  SimSession(World& world, SimulatorIdentity identity, Trace& trace);

  // One whole client message received at `seconds`.
  void handle(tfx::simconnect::ByteView message, double seconds, Replies& out);
  // One visual frame: Frame events, data that fell due, trace lines.
  void frame(double seconds, double frameRate, bool paused, Replies& out);
  // What the scenario did, for the client's subscriptions.
  void announce(const ScenarioEvents& events, Replies& out);
  // The simulator shuts down.
  void quit(Replies& out);
  // The client left: its AI objects go with it.
  void end();

  bool opened() const { return opened_; }

 private:
  struct PeriodicRequest {
    uint32_t requestId = 0, defineId = 0, objectId = 0, flags = 0;
    tfx::simconnect::Period period = tfx::simconnect::Period::Never;
    double nextSecond = 0;
  };

  void onOpen(const tfx::simconnect::OpenRequest& r, uint32_t sendId, Replies& out);
  void onRequestData(const tfx::simconnect::RequestDataRequest& r, uint32_t sendId, double seconds, Replies& out);
  void onRequestByType(const tfx::simconnect::RequestDataByTypeRequest& r, uint32_t sendId, Replies& out);
  void onSetData(const tfx::simconnect::SetDataRequest& r, uint32_t sendId, Replies& out);
  void onTransmit(const tfx::simconnect::TransmitClientEventRequest& r, uint32_t sendId, Replies& out);
  void onCreate(const tfx::simconnect::AICreateNonAtcAircraftRequest& r, uint32_t sendId, Replies& out);
  void onRemove(const tfx::simconnect::AIRemoveObjectRequest& r, uint32_t sendId, Replies& out);
  void onFlightPlan(const tfx::simconnect::AISetFlightPlanRequest& r, uint32_t sendId, Replies& out);
  void onSubscribe(const tfx::simconnect::SubscribeToSystemEventRequest& r, uint32_t sendId, Replies& out);
  // The AI object of the id, or an exception (unknown id, or the user aircraft).
  SimObject* aiObject(uint32_t objectId, uint32_t sendId, uint32_t index, Replies& out);

  void send(const tfx::simconnect::ServerMessage& message, Replies& out) const;
  void exception(tfx::simconnect::SimConnectException number, uint32_t sendId, uint32_t index, Replies& out) const;
  void objectData(bool byType, uint32_t requestId, uint32_t defineId, uint32_t flags, const SimObject& object,
                  uint32_t entry, uint32_t outOf, Replies& out) const;
  void systemEvent(const std::string& name, uint32_t data, Replies& out) const;
  void addRemoveEvent(const std::string& name, uint32_t objectId, Replies& out) const;
  std::vector<uint32_t> subscribers(const std::string& name) const;

  World& world_;
  SimulatorIdentity identity_;
  Trace& trace_;
  uint32_t version_ = tfx::simconnect::kP3dProtocol;
  bool opened_ = false;
  std::map<uint32_t, std::vector<Datum>> definitions_;
  std::map<uint32_t, std::string> mappedEvents_;        // client event id -> simulator event (upper case)
  std::map<uint32_t, std::set<uint32_t>> groups_;       // group -> client events
  std::map<uint32_t, uint32_t> groupPriorities_;
  std::map<uint32_t, std::string> subscriptions_;       // client event id -> system event (lower case)
  std::map<uint32_t, PeriodicRequest> requests_;        // by request id
  std::set<uint32_t> ownObjects_;
  uint32_t frames_ = 0;
};

}  // namespace tfx::simstandin
