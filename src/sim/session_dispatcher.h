#pragma once
// Handles every message the simulator sends, by kind, on the "SimClient"
// thread. The session's thread hands it each message that dispatch delivers;
// tests hand it messages directly.
#include <cstdint>
#include <string>

#include "sim/session_core.h"
#include "sim/simconnect/server_messages.h"

namespace tfx::sim {

class SessionDispatcher {
 public:
  explicit SessionDispatcher(SessionCore& core) : core_(core) {}

  // Throws UserErrorException 78 for a simulator that is not the expected
  // Prepar3D and 95 for a version mismatch; the thread ends the session with it.
  void operator()(const simconnect::ServerMessage& message);

 private:
  void onException(const simconnect::ExceptionMessage& message);
  void onOpen(const simconnect::OpenMessage& message);
  void onEvent(const simconnect::EventMessage& message);
  void onObjectAddRemove(const simconnect::ObjectAddRemoveMessage& message);
  void onFileName();
  void onFrame(const simconnect::FrameMessage& message);
  void onObjectData(const simconnect::SimObjectDataMessage& message);
  void onObjectShape(const simconnect::SimObjectDataMessage& message);
  void onUserTitle(const simconnect::SimObjectDataMessage& message);
  void onUserModel(const simconnect::SimObjectDataMessage& message);
  void onUserOnGround(const simconnect::SimObjectDataMessage& message);
  void onUserState(const simconnect::SimObjectDataMessage& message);
  void onAircraftAround(const simconnect::SimObjectDataMessage& message);
  void onObjectBirth(uint32_t objectId, const std::string& atcId, double altitudeAboveGround, int64_t onGround,
                     double groundAltitude);
  void onOther(uint32_t id);

  SessionCore& core_;
  uint32_t frames_ = 0;
  std::string lastTitle_;
};

}  // namespace tfx::sim
