#pragma once
// Numbers of the SimConnect wire protocol shared by the client and the
// simulator stand-in.
#include <cstdint>

namespace tfx::simconnect {

// The TCP port the client uses without a SimConnect.cfg and the stand-in
// listens on by default. A real simulator announces its port through the
// registry, which this platform does not have; 2048 is also where independent
// clients (node-simconnect) look when they find no configuration, so every
// client reaches the stand-in without a file, and it needs no privileges.
inline constexpr uint16_t kDefaultPort = 2048;

// Header sizes: client messages carry a send id, server messages do not.
inline constexpr uint32_t kClientHeaderSize = 16;
inline constexpr uint32_t kServerHeaderSize = 12;

// The protocol number and Open identity of this program (Prepar3D v5 client).
inline constexpr uint32_t kP3dProtocol = 35;
inline constexpr uint32_t kP3dOpenTag = 0x50334400;  // bytes 00 'D' '3' 'P'
inline constexpr uint32_t kP3dOpenVersion[4] = {5, 3, 0, 0};
// The FSX SP2 identity that older clients open with; Prepar3D accepts it.
inline constexpr uint32_t kFsxSp2Protocol = 4;
inline constexpr uint32_t kFsxOpenTag = 0x46535800;  // bytes 00 'X' 'S' 'F'
inline constexpr uint32_t kFsxSp2OpenVersion[4] = {10, 0, 61259, 0};

inline constexpr uint32_t kUnused = 0xFFFFFFFF;  // also "no datum id"
inline constexpr uint32_t kUnknownGroup = 0xFFFFFFFF;
inline constexpr uint32_t kObjectIdUser = 0;

inline constexpr uint32_t kClientMessageBase = 0xF0000000;

enum class ClientMessageId : uint32_t {
  Open = 0xF0000001,
  MapClientEventToSimEvent = 0xF0000004,
  TransmitClientEvent = 0xF0000005,
  AddClientEventToNotificationGroup = 0xF0000007,
  SetNotificationGroupPriority = 0xF0000009,
  AddToDataDefinition = 0xF000000C,
  RequestDataOnSimObject = 0xF000000E,
  RequestDataOnSimObjectType = 0xF000000F,
  SetDataOnSimObject = 0xF0000010,
  SubscribeToSystemEvent = 0xF0000017,
  AICreateNonATCAircraft = 0xF0000029,
  AIReleaseControl = 0xF000002B,
  AIRemoveObject = 0xF000002C,
  AISetAircraftFlightPlan = 0xF000002D,
};

// Kinds of the messages the simulator sends (header id, no high bits).
enum class ServerMessageId : uint32_t {
  Null = 0,
  Exception = 1,
  Open = 2,
  Quit = 3,
  Event = 4,
  EventObjectAddRemove = 5,
  EventFilename = 6,
  EventFrame = 7,
  SimObjectData = 8,
  SimObjectDataByType = 9,
  AssignedObjectId = 12,
  ClientData = 16,
};

enum class SimConnectException : uint32_t {
  None = 0,
  Error = 1,
  SizeMismatch = 2,
  UnrecognizedId = 3,
  Unopened = 4,
  VersionMismatch = 5,
  NameUnrecognized = 7,
  TooManyObjects = 11,
  InvalidDataType = 18,
  InvalidDataSize = 19,
  DataError = 20,
  CreateObjectFailed = 22,
  LoadFlightplanFailed = 23,
  OperationInvalidForObjectType = 24,
  AlreadySubscribed = 26,
  OutOfBounds = 31,
};

enum class DataType : uint32_t {
  Invalid = 0,
  Int32 = 1,
  Int64 = 2,
  Float32 = 3,
  Float64 = 4,
  String8 = 5,
  String32 = 6,
  String64 = 7,
  String128 = 8,
  String256 = 9,
  String260 = 10,
  StringV = 11,
};

enum class Period : uint32_t { Never = 0, Once = 1, VisualFrame = 2, SimFrame = 3, Second = 4 };

enum class SimObjectType : uint32_t { User = 0, All = 1, Aircraft = 2, Helicopter = 3, Boat = 4, Ground = 5 };

// Widths of the fixed text fields.
inline constexpr uint32_t kNameFieldSize = 256;
inline constexpr uint32_t kTailNumberSize = 12;
inline constexpr uint32_t kPathFieldSize = 260;

}  // namespace tfx::simconnect
