#include "sim/sim_connect_ops.h"

#include "sim/sim_ids.h"

namespace tfx::sim {

namespace sc = simconnect;

int32_t ClientOps::mapClientEventToSimEvent(uint32_t eventId, std::string_view eventName) {
  std::lock_guard lock(sendLock_);
  return client_.mapClientEventToSimEvent(eventId, eventName);
}

int32_t ClientOps::addClientEventToNotificationGroup(uint32_t groupId, uint32_t eventId) {
  std::lock_guard lock(sendLock_);
  return client_.addClientEventToNotificationGroup(groupId, eventId);
}

int32_t ClientOps::setNotificationGroupPriority(uint32_t groupId, uint32_t priority) {
  std::lock_guard lock(sendLock_);
  return client_.setNotificationGroupPriority(groupId, priority);
}

int32_t ClientOps::subscribeToSystemEvent(uint32_t eventId, std::string_view eventName) {
  std::lock_guard lock(sendLock_);
  return client_.subscribeToSystemEvent(eventId, eventName);
}

int32_t ClientOps::addToDataDefinition(uint32_t defineId, std::string_view datumName, std::string_view unitsName,
                                       sc::DataType dataType) {
  std::lock_guard lock(sendLock_);
  return client_.addToDataDefinition(defineId, datumName, unitsName, dataType, 0.0f, sc::kUnused);
}

int32_t ClientOps::requestDataOnSimObject(uint32_t requestId, uint32_t defineId, uint32_t objectId, sc::Period period) {
  std::lock_guard lock(sendLock_);
  return client_.requestDataOnSimObject(requestId, defineId, objectId, period);
}

int32_t ClientOps::requestDataOnSimObjectType(uint32_t requestId, uint32_t defineId, uint32_t radiusMeters,
                                              sc::SimObjectType objectType) {
  std::lock_guard lock(sendLock_);
  return client_.requestDataOnSimObjectType(requestId, defineId, radiusMeters, objectType);
}

int32_t ClientOps::setDataOnSimObject(uint32_t defineId, uint32_t objectId, sc::ByteView record) {
  std::lock_guard lock(sendLock_);
  return client_.setDataOnSimObject(defineId, objectId, 0, 1, static_cast<uint32_t>(record.size()), record);
}

int32_t ClientOps::transmitClientEvent(uint32_t objectId, uint32_t eventId, uint32_t data) {
  std::lock_guard lock(sendLock_);
  return client_.transmitClientEvent(objectId, eventId, data, kEventGroup, 0);
}

int32_t ClientOps::aiCreateNonAtcAircraft(std::string_view containerTitle, std::string_view tailNumber,
                                          const sc::InitPosition& position, uint32_t requestId, int32_t& packetIdResult,
                                          uint32_t& packetId) {
  std::lock_guard lock(sendLock_);
  const int32_t result = client_.aiCreateNonAtcAircraft(containerTitle, tailNumber, position, requestId);
  if (result >= 0) packetIdResult = client_.GetLastSentPacketID(&packetId);
  return result;
}

int32_t ClientOps::aiReleaseControl(uint32_t objectId, uint32_t requestId) {
  std::lock_guard lock(sendLock_);
  return client_.aiReleaseControl(objectId, requestId);
}

int32_t ClientOps::aiRemoveObject(uint32_t objectId, uint32_t requestId) {
  std::lock_guard lock(sendLock_);
  return client_.aiRemoveObject(objectId, requestId);
}

int32_t ClientOps::aiSetAircraftFlightPlan(uint32_t objectId, std::string_view path, uint32_t requestId) {
  std::lock_guard lock(sendLock_);
  return client_.aiSetAircraftFlightPlan(objectId, path, requestId);
}

}  // namespace tfx::sim
