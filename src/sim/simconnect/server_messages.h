#pragma once
// The messages the simulator sends (12-byte header: size, version, kind), as
// typed views, with their decoder and the encoder the stand-in uses.
// Decoding reads the FSX form of every kind and accepts the longer Prepar3D
// forms, which only append a flags field; encoding writes the Prepar3D form.
#include <cstdint>
#include <string>
#include <variant>

#include "sim/simconnect/wire_bytes.h"
#include "sim/simconnect/wire_constants.h"

namespace tfx::simconnect {

struct ExceptionMessage {
  uint32_t exception = 0;
  uint32_t sendId = 0;  // the failing client message; 0 = unknown
  uint32_t index = kUnused;
};
struct OpenMessage {
  std::string applicationName;
  uint32_t applicationVersionMajor = 0, applicationVersionMinor = 0;
  uint32_t applicationBuildMajor = 0, applicationBuildMinor = 0;
  uint32_t simConnectVersionMajor = 0, simConnectVersionMinor = 0;
  uint32_t simConnectBuildMajor = 0, simConnectBuildMinor = 0;
  uint32_t reserved1 = 0, reserved2 = 0;
};
struct QuitMessage {};
struct EventMessage {
  uint32_t groupId = kUnknownGroup, eventId = 0, data = 0, flags = 0;
};
struct ObjectAddRemoveMessage {
  uint32_t groupId = kUnknownGroup, eventId = 0;
  uint32_t objectId = 0;
  SimObjectType objectType = SimObjectType::Aircraft;
  uint32_t flags = 0;
};
struct FileNameMessage {
  uint32_t groupId = kUnknownGroup, eventId = 0, data = 0;
  std::string fileName;
  uint32_t flags = 0;
};
struct FrameMessage {
  uint32_t groupId = kUnknownGroup, eventId = 0, data = 0;
  float frameRate = 0, simSpeed = 0;
  uint32_t flags = 0;
};
// Kinds 8 and 9 share this layout; `data` points into the received message
// and lives only as long as it (during the dispatch call).
struct SimObjectDataMessage {
  bool byType = false;
  uint32_t requestId = 0, objectId = 0, defineId = 0, flags = 0;
  uint32_t entryNumber = 1, outOf = 1, defineCount = 0;
  ByteView data;
};
struct AssignedObjectIdMessage {
  uint32_t requestId = 0, objectId = 0;
};
// Any kind not decoded here, or a message too short for its kind.
struct OtherMessage {
  uint32_t id = 0;
  uint32_t size = 0;
};

using ServerMessage = std::variant<ExceptionMessage, OpenMessage, QuitMessage, EventMessage, ObjectAddRemoveMessage,
                                   FileNameMessage, FrameMessage, SimObjectDataMessage, AssignedObjectIdMessage,
                                   OtherMessage>;

inline constexpr uint32_t kSimObjectDataHeaderSize = 40;

struct ServerHeader {
  uint32_t size = 0, version = 0, id = 0;
};
ServerHeader readServerHeader(ByteView message);

// `message` is one whole framed message of at least 12 bytes.
ServerMessage decodeServerMessage(ByteView message);

// The whole message with `version` in the header; events in the Prepar3D form.
Bytes encodeServerMessage(const ServerMessage& message, uint32_t version);

}  // namespace tfx::simconnect
