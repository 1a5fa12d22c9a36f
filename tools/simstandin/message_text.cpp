#include "message_text.h"

#include <fmt/format.h>

#include "sim/simconnect/overloaded.h"

namespace tfx::simstandin {
namespace {

namespace sc = tfx::simconnect;

}  // namespace

std::string describeRequest(const sc::ClientRequest& request) {
  return std::visit(
      simconnect::Overloaded{
          [](const sc::OpenRequest& r) { return fmt::format("Open name='{}'", r.applicationName); },
          [](const sc::MapClientEventRequest& r) {
            return fmt::format("MapClientEventToSimEvent event={} name='{}'", r.eventId, r.eventName);
          },
          [](const sc::TransmitClientEventRequest& r) {
            return fmt::format("TransmitClientEvent object={} event={} data={} group={} flags={}", r.objectId,
                               r.eventId, r.data, r.groupId, r.flags);
          },
          [](const sc::AddClientEventToGroupRequest& r) {
            return fmt::format("AddClientEventToNotificationGroup group={} event={} maskable={}", r.groupId, r.eventId,
                               r.maskable);
          },
          [](const sc::SetGroupPriorityRequest& r) {
            return fmt::format("SetNotificationGroupPriority group={} priority={}", r.groupId, r.priority);
          },
          [](const sc::AddToDataDefinitionRequest& r) {
            return fmt::format("AddToDataDefinition define={} name='{}' units='{}' type={} epsilon={} datum={}",
                               r.defineId, r.datumName, r.unitsName, static_cast<uint32_t>(r.dataType), r.epsilon,
                               r.datumId);
          },
          [](const sc::RequestDataRequest& r) {
            return fmt::format("RequestDataOnSimObject request={} define={} object={} period={} flags={}", r.requestId,
                               r.defineId, r.objectId, static_cast<uint32_t>(r.period), r.flags);
          },
          [](const sc::RequestDataByTypeRequest& r) {
            return fmt::format("RequestDataOnSimObjectType request={} define={} radius={} type={}", r.requestId,
                               r.defineId, r.radiusMeters, static_cast<uint32_t>(r.objectType));
          },
          [](const sc::SetDataRequest& r) {
            return fmt::format("SetDataOnSimObject define={} object={} flags={} count={} size={}", r.defineId,
                               r.objectId, r.flags, r.elementCount, r.elementSize);
          },
          [](const sc::SubscribeToSystemEventRequest& r) {
            return fmt::format("SubscribeToSystemEvent event={} name='{}'", r.eventId, r.eventName);
          },
          [](const sc::AICreateNonAtcAircraftRequest& r) {
            return fmt::format("AICreateNonATCAircraft title='{}' tail='{}' request={}", r.containerTitle, r.tailNumber,
                               r.requestId);
          },
          [](const sc::AIReleaseControlRequest& r) {
            return fmt::format("AIReleaseControl object={} request={}", r.objectId, r.requestId);
          },
          [](const sc::AIRemoveObjectRequest& r) {
            return fmt::format("AIRemoveObject object={} request={}", r.objectId, r.requestId);
          },
          [](const sc::AISetFlightPlanRequest& r) {
            return fmt::format("AISetAircraftFlightPlan object={} path='{}' request={}", r.objectId, r.flightPlanPath,
                               r.requestId);
          },
      },
      request);
}

}  // namespace tfx::simstandin
