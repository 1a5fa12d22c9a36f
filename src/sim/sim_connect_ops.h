#pragma once
// The SimConnect operations the session uses, as an interface: the session's
// logic runs against the real client in the program and against a recording
// fake in the tests. Results are 0 or negative, as the client returns them.
#include <cstdint>
#include <mutex>
#include <string_view>

#include "sim/simconnect/client_messages.h"
#include "sim/simconnect/simconnect_client.h"

namespace tfx::sim {

class SimConnectOps {
 public:
  virtual ~SimConnectOps() = default;

  virtual int32_t mapClientEventToSimEvent(uint32_t eventId, std::string_view eventName) = 0;
  virtual int32_t addClientEventToNotificationGroup(uint32_t groupId, uint32_t eventId) = 0;
  virtual int32_t setNotificationGroupPriority(uint32_t groupId, uint32_t priority) = 0;
  virtual int32_t subscribeToSystemEvent(uint32_t eventId, std::string_view eventName) = 0;
  virtual int32_t addToDataDefinition(uint32_t defineId, std::string_view datumName, std::string_view unitsName,
                                      simconnect::DataType dataType) = 0;
  virtual int32_t requestDataOnSimObject(uint32_t requestId, uint32_t defineId, uint32_t objectId,
                                         simconnect::Period period) = 0;
  virtual int32_t requestDataOnSimObjectType(uint32_t requestId, uint32_t defineId, uint32_t radiusMeters,
                                             simconnect::SimObjectType objectType) = 0;
  // One record of the definition.
  virtual int32_t setDataOnSimObject(uint32_t defineId, uint32_t objectId, simconnect::ByteView record) = 0;
  virtual int32_t transmitClientEvent(uint32_t objectId, uint32_t eventId, uint32_t data) = 0;
  // Creates the aircraft and reads the packet id of that very message:
  // packetIdResult is the result of reading it, packetId the id when it is 0.
  virtual int32_t aiCreateNonAtcAircraft(std::string_view containerTitle, std::string_view tailNumber,
                                         const simconnect::InitPosition& position, uint32_t requestId,
                                         int32_t& packetIdResult, uint32_t& packetId) = 0;
  virtual int32_t aiReleaseControl(uint32_t objectId, uint32_t requestId) = 0;
  virtual int32_t aiRemoveObject(uint32_t objectId, uint32_t requestId) = 0;
  virtual int32_t aiSetAircraftFlightPlan(uint32_t objectId, std::string_view path, uint32_t requestId) = 0;
};

// The operations on the program's client. Client events go out with the
// session's group and flags 0, data definitions with epsilon 0 and no datum id.
class ClientOps final : public SimConnectOps {
 public:
  explicit ClientOps(simconnect::SimConnectClient& client) : client_(client) {}

  int32_t mapClientEventToSimEvent(uint32_t eventId, std::string_view eventName) override;
  int32_t addClientEventToNotificationGroup(uint32_t groupId, uint32_t eventId) override;
  int32_t setNotificationGroupPriority(uint32_t groupId, uint32_t priority) override;
  int32_t subscribeToSystemEvent(uint32_t eventId, std::string_view eventName) override;
  int32_t addToDataDefinition(uint32_t defineId, std::string_view datumName, std::string_view unitsName,
                              simconnect::DataType dataType) override;
  int32_t requestDataOnSimObject(uint32_t requestId, uint32_t defineId, uint32_t objectId,
                                 simconnect::Period period) override;
  int32_t requestDataOnSimObjectType(uint32_t requestId, uint32_t defineId, uint32_t radiusMeters,
                                     simconnect::SimObjectType objectType) override;
  int32_t setDataOnSimObject(uint32_t defineId, uint32_t objectId, simconnect::ByteView record) override;
  int32_t transmitClientEvent(uint32_t objectId, uint32_t eventId, uint32_t data) override;
  int32_t aiCreateNonAtcAircraft(std::string_view containerTitle, std::string_view tailNumber,
                                 const simconnect::InitPosition& position, uint32_t requestId, int32_t& packetIdResult,
                                 uint32_t& packetId) override;
  int32_t aiReleaseControl(uint32_t objectId, uint32_t requestId) override;
  int32_t aiRemoveObject(uint32_t objectId, uint32_t requestId) override;
  int32_t aiSetAircraftFlightPlan(uint32_t objectId, std::string_view path, uint32_t requestId) override;

 private:
  simconnect::SimConnectClient& client_;
  // Both threads send; every send of ours takes this lock, so no other message
  // slips between a create and the reading of its packet id.
  std::mutex sendLock_;
};

}  // namespace tfx::sim
