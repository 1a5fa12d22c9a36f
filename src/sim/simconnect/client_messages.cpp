#include "sim/simconnect/client_messages.h"

#include "sim/simconnect/overloaded.h"

#include <type_traits>

namespace tfx::simconnect {
namespace {

uint32_t u(auto value) { return static_cast<uint32_t>(value); }

void writePayload(ByteWriter& w, const ClientRequest& request) {
  std::visit(
      Overloaded{
          [&](const OpenRequest& r) {
            w.text(r.applicationName, kNameFieldSize);
            w.u32(r.reserved);
            w.u32(r.simulatorTag);
            for (uint32_t part : r.version) w.u32(part);
          },
          [&](const MapClientEventRequest& r) {
            w.u32(r.eventId);
            w.text(r.eventName, kNameFieldSize);
          },
          [&](const TransmitClientEventRequest& r) {
            for (uint32_t v : {r.objectId, r.eventId, r.data, r.groupId, r.flags}) w.u32(v);
          },
          [&](const AddClientEventToGroupRequest& r) {
            for (uint32_t v : {r.groupId, r.eventId, r.maskable}) w.u32(v);
          },
          [&](const SetGroupPriorityRequest& r) {
            w.u32(r.groupId);
            w.u32(r.priority);
          },
          [&](const AddToDataDefinitionRequest& r) {
            w.u32(r.defineId);
            w.text(r.datumName, kNameFieldSize);
            w.text(r.unitsName, kNameFieldSize);
            w.u32(u(r.dataType));
            w.f32(r.epsilon);
            w.u32(r.datumId);
          },
          [&](const RequestDataRequest& r) {
            for (uint32_t v : {r.requestId, r.defineId, r.objectId, u(r.period), r.flags, r.origin, r.interval,
                               r.limit})
              w.u32(v);
          },
          [&](const RequestDataByTypeRequest& r) {
            for (uint32_t v : {r.requestId, r.defineId, r.radiusMeters, u(r.objectType)}) w.u32(v);
          },
          [&](const SetDataRequest& r) {
            for (uint32_t v : {r.defineId, r.objectId, r.flags, r.elementCount, r.elementSize}) w.u32(v);
            w.bytes(r.data);
          },
          [&](const SubscribeToSystemEventRequest& r) {
            w.u32(r.eventId);
            w.text(r.eventName, kNameFieldSize);
          },
          [&](const AICreateNonAtcAircraftRequest& r) {
            w.text(r.containerTitle, kNameFieldSize);
            w.text(r.tailNumber, kTailNumberSize);
            const InitPosition& p = r.position;
            for (double v : {p.latitude, p.longitude, p.altitude, p.pitch, p.bank, p.heading}) w.f64(v);
            w.u32(p.onGround);
            w.i32(p.airspeed);
            w.u32(r.requestId);
          },
          [&](const AIReleaseControlRequest& r) {
            w.u32(r.objectId);
            w.u32(r.requestId);
          },
          [&](const AIRemoveObjectRequest& r) {
            w.u32(r.objectId);
            w.u32(r.requestId);
          },
          [&](const AISetFlightPlanRequest& r) {
            w.u32(r.objectId);
            w.text(r.flightPlanPath, kPathFieldSize);
            w.u32(r.requestId);
          },
      },
      request);
}

// Whole message sizes, header included; set data adds its data bytes.
uint32_t fixedSize(ClientMessageId id) {
  switch (id) {
    case ClientMessageId::Open: return 296;
    case ClientMessageId::MapClientEventToSimEvent: return 276;
    case ClientMessageId::TransmitClientEvent: return 36;
    case ClientMessageId::AddClientEventToNotificationGroup: return 28;
    case ClientMessageId::SetNotificationGroupPriority: return 24;
    case ClientMessageId::AddToDataDefinition: return 544;
    case ClientMessageId::RequestDataOnSimObject: return 48;
    case ClientMessageId::RequestDataOnSimObjectType: return 32;
    case ClientMessageId::SetDataOnSimObject: return 36;
    case ClientMessageId::SubscribeToSystemEvent: return 276;
    case ClientMessageId::AICreateNonATCAircraft: return 344;
    case ClientMessageId::AIReleaseControl: return 24;
    case ClientMessageId::AIRemoveObject: return 24;
    case ClientMessageId::AISetAircraftFlightPlan: return 284;
  }
  return 0;
}

std::optional<ClientRequest> readRequest(ClientMessageId id, ByteReader& r) {
  switch (id) {
    case ClientMessageId::Open: {
      OpenRequest q;
      q.applicationName = r.text(16, kNameFieldSize);
      q.reserved = r.u32(272);
      q.simulatorTag = r.u32(276);
      for (size_t i = 0; i < 4; ++i) q.version[i] = r.u32(280 + 4 * i);
      return q;
    }
    case ClientMessageId::MapClientEventToSimEvent:
      return MapClientEventRequest{r.u32(16), r.text(20, kNameFieldSize)};
    case ClientMessageId::TransmitClientEvent:
      return TransmitClientEventRequest{r.u32(16), r.u32(20), r.u32(24), r.u32(28), r.u32(32)};
    case ClientMessageId::AddClientEventToNotificationGroup:
      return AddClientEventToGroupRequest{r.u32(16), r.u32(20), r.u32(24)};
    case ClientMessageId::SetNotificationGroupPriority:
      return SetGroupPriorityRequest{r.u32(16), r.u32(20)};
    case ClientMessageId::AddToDataDefinition:
      return AddToDataDefinitionRequest{r.u32(16), r.text(20, kNameFieldSize), r.text(276, kNameFieldSize),
                                        static_cast<DataType>(r.u32(532)), r.f32(536), r.u32(540)};
    case ClientMessageId::RequestDataOnSimObject:
      return RequestDataRequest{r.u32(16), r.u32(20), r.u32(24), static_cast<Period>(r.u32(28)),
                                r.u32(32), r.u32(36), r.u32(40), r.u32(44)};
    case ClientMessageId::RequestDataOnSimObjectType:
      return RequestDataByTypeRequest{r.u32(16), r.u32(20), r.u32(24), static_cast<SimObjectType>(r.u32(28))};
    case ClientMessageId::SetDataOnSimObject:
      return SetDataRequest{r.u32(16), r.u32(20), r.u32(24), r.u32(28), r.u32(32), {}};
    case ClientMessageId::SubscribeToSystemEvent:
      return SubscribeToSystemEventRequest{r.u32(16), r.text(20, kNameFieldSize)};
    case ClientMessageId::AICreateNonATCAircraft: {
      AICreateNonAtcAircraftRequest q;
      q.containerTitle = r.text(16, kNameFieldSize);
      q.tailNumber = r.text(272, kTailNumberSize);
      q.position = {r.f64(284), r.f64(292), r.f64(300), r.f64(308), r.f64(316), r.f64(324), r.u32(332), r.i32(336)};
      q.requestId = r.u32(340);
      return q;
    }
    case ClientMessageId::AIReleaseControl: return AIReleaseControlRequest{r.u32(16), r.u32(20)};
    case ClientMessageId::AIRemoveObject: return AIRemoveObjectRequest{r.u32(16), r.u32(20)};
    case ClientMessageId::AISetAircraftFlightPlan:
      return AISetFlightPlanRequest{r.u32(16), r.text(20, kPathFieldSize), r.u32(280)};
  }
  return std::nullopt;
}

bool knownId(uint32_t id) {
  switch (static_cast<ClientMessageId>(id)) {
    case ClientMessageId::Open:
    case ClientMessageId::MapClientEventToSimEvent:
    case ClientMessageId::TransmitClientEvent:
    case ClientMessageId::AddClientEventToNotificationGroup:
    case ClientMessageId::SetNotificationGroupPriority:
    case ClientMessageId::AddToDataDefinition:
    case ClientMessageId::RequestDataOnSimObject:
    case ClientMessageId::RequestDataOnSimObjectType:
    case ClientMessageId::SetDataOnSimObject:
    case ClientMessageId::SubscribeToSystemEvent:
    case ClientMessageId::AICreateNonATCAircraft:
    case ClientMessageId::AIReleaseControl:
    case ClientMessageId::AIRemoveObject:
    case ClientMessageId::AISetAircraftFlightPlan: return true;
  }
  return false;
}

}  // namespace

ClientMessageId messageId(const ClientRequest& request) {
  static constexpr ClientMessageId ids[] = {
      ClientMessageId::Open,
      ClientMessageId::MapClientEventToSimEvent,
      ClientMessageId::TransmitClientEvent,
      ClientMessageId::AddClientEventToNotificationGroup,
      ClientMessageId::SetNotificationGroupPriority,
      ClientMessageId::AddToDataDefinition,
      ClientMessageId::RequestDataOnSimObject,
      ClientMessageId::RequestDataOnSimObjectType,
      ClientMessageId::SetDataOnSimObject,
      ClientMessageId::SubscribeToSystemEvent,
      ClientMessageId::AICreateNonATCAircraft,
      ClientMessageId::AIReleaseControl,
      ClientMessageId::AIRemoveObject,
      ClientMessageId::AISetAircraftFlightPlan,
  };
  static_assert(std::size(ids) == std::variant_size_v<ClientRequest>);
  return ids[request.index()];
}

Bytes encodeClientMessage(const ClientRequest& request, uint32_t protocol, uint32_t sendId) {
  const ClientMessageId id = messageId(request);
  Bytes out;
  out.reserve(fixedSize(id));
  ByteWriter w(out);
  w.u32(0);
  w.u32(protocol);
  w.u32(u(id));
  w.u32(sendId);
  writePayload(w, request);
  w.patchU32(0, static_cast<uint32_t>(out.size()));
  return out;
}

DecodedClientMessage decodeClientMessage(ByteView message) {
  ByteReader r(message);
  DecodedClientMessage decoded;
  decoded.header = {r.u32(0), r.u32(4), r.u32(8), r.u32(12)};
  if (!knownId(decoded.header.id)) return decoded;
  const auto id = static_cast<ClientMessageId>(decoded.header.id);
  const uint32_t expected = fixedSize(id);
  const bool sizeFits = id == ClientMessageId::SetDataOnSimObject ? message.size() >= expected
                                                                   : message.size() == expected;
  if (!sizeFits) return decoded;
  decoded.request = readRequest(id, r);
  if (auto* set = decoded.request ? std::get_if<SetDataRequest>(&*decoded.request) : nullptr)
    set->data.assign(message.begin() + expected, message.end());
  return decoded;
}

}  // namespace tfx::simconnect
