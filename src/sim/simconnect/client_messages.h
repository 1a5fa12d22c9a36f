#pragma once
// The messages a SimConnect client sends: one struct per operation, the
// encoder that frames them (16-byte header: size, protocol, id, send id) and
// the decoder the simulator side uses.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "sim/simconnect/wire_bytes.h"
#include "sim/simconnect/wire_constants.h"

namespace tfx::simconnect {

struct OpenRequest {
  std::string applicationName;
  uint32_t reserved = 0;
  uint32_t simulatorTag = kP3dOpenTag;
  uint32_t version[4] = {kP3dOpenVersion[0], kP3dOpenVersion[1], kP3dOpenVersion[2], kP3dOpenVersion[3]};
};
struct MapClientEventRequest {
  uint32_t eventId = 0;
  std::string eventName;
};
struct TransmitClientEventRequest {
  uint32_t objectId = 0, eventId = 0, data = 0, groupId = 0, flags = 0;
};
struct AddClientEventToGroupRequest {
  uint32_t groupId = 0, eventId = 0, maskable = 0;
};
struct SetGroupPriorityRequest {
  uint32_t groupId = 0, priority = 0;
};
struct AddToDataDefinitionRequest {
  uint32_t defineId = 0;
  std::string datumName;
  std::string unitsName;
  DataType dataType = DataType::Float64;
  float epsilon = 0.0f;
  uint32_t datumId = kUnused;
};
struct RequestDataRequest {
  uint32_t requestId = 0, defineId = 0, objectId = 0;
  Period period = Period::Once;
  uint32_t flags = 0, origin = 0, interval = 0, limit = 0;
};
struct RequestDataByTypeRequest {
  uint32_t requestId = 0, defineId = 0, radiusMeters = 0;
  SimObjectType objectType = SimObjectType::Aircraft;
};
struct SetDataRequest {
  uint32_t defineId = 0, objectId = 0, flags = 0, elementCount = 1, elementSize = 0;
  Bytes data;
};
struct SubscribeToSystemEventRequest {
  uint32_t eventId = 0;
  std::string eventName;
};
// Position and attitude in degrees, altitude in feet; airspeed in knots
// (-1 cruise, -2 keep).
struct InitPosition {
  double latitude = 0, longitude = 0, altitude = 0, pitch = 0, bank = 0, heading = 0;
  uint32_t onGround = 0;
  int32_t airspeed = 0;
};
struct AICreateNonAtcAircraftRequest {
  std::string containerTitle;
  std::string tailNumber;
  InitPosition position;
  uint32_t requestId = 0;
};
struct AIReleaseControlRequest {
  uint32_t objectId = 0, requestId = 0;
};
struct AIRemoveObjectRequest {
  uint32_t objectId = 0, requestId = 0;
};
struct AISetFlightPlanRequest {
  uint32_t objectId = 0;
  std::string flightPlanPath;
  uint32_t requestId = 0;
};

using ClientRequest =
    std::variant<OpenRequest, MapClientEventRequest, TransmitClientEventRequest, AddClientEventToGroupRequest,
                 SetGroupPriorityRequest, AddToDataDefinitionRequest, RequestDataRequest, RequestDataByTypeRequest,
                 SetDataRequest, SubscribeToSystemEventRequest, AICreateNonAtcAircraftRequest,
                 AIReleaseControlRequest, AIRemoveObjectRequest, AISetFlightPlanRequest>;

ClientMessageId messageId(const ClientRequest& request);

// The whole message as sent on the wire.
Bytes encodeClientMessage(const ClientRequest& request, uint32_t protocol, uint32_t sendId);

struct ClientHeader {
  uint32_t size = 0, protocol = 0, id = 0, sendId = 0;
};

struct DecodedClientMessage {
  ClientHeader header;
  // Empty for an unknown message id or a size that does not fit the id.
  std::optional<ClientRequest> request;
};

// `message` is one whole framed message of at least 16 bytes.
DecodedClientMessage decodeClientMessage(ByteView message);

// Send ids of one connection: 1, 2, ... 0xFFFFFFFF, then 1 again (0 means
// "unknown" in the simulator's exceptions, so it is never used).
class SendIdCounter {
 public:
  explicit SendIdCounter(uint32_t last = 0) : last_(last) {}
  uint32_t peekNext() const { return last_ == 0xFFFFFFFF ? 1 : last_ + 1; }
  void commit(uint32_t sent) { last_ = sent; }
  uint32_t last() const { return last_; }

 private:
  uint32_t last_;
};

}  // namespace tfx::simconnect
