#include "sim/simconnect/server_messages.h"

#include "sim/simconnect/overloaded.h"

namespace tfx::simconnect {
namespace {

// Shortest (FSX) form of each decoded kind.
constexpr uint32_t kExceptionSize = 24;
constexpr uint32_t kOpenSize = 308;
constexpr uint32_t kEventSize = 24;
constexpr uint32_t kAddRemoveSize = 28;
constexpr uint32_t kFileNameSize = 284;
constexpr uint32_t kFrameSize = 32;
constexpr uint32_t kAssignedIdSize = 20;

uint32_t u(auto value) { return static_cast<uint32_t>(value); }

ServerMessage decodeKnown(ServerMessageId id, ByteReader& r, ByteView message) {
  const size_t size = message.size();
  auto other = [&] { return OtherMessage{u(id), static_cast<uint32_t>(size)}; };
  auto flagsAt = [&](size_t offset) { return size >= offset + 4 ? r.u32(offset) : 0u; };
  switch (id) {
    case ServerMessageId::Exception:
      if (size < kExceptionSize) return other();
      return ExceptionMessage{r.u32(12), r.u32(16), r.u32(20)};
    case ServerMessageId::Open: {
      if (size < kOpenSize) return other();
      OpenMessage m;
      m.applicationName = r.text(12, kNameFieldSize);
      uint32_t* fields[] = {&m.applicationVersionMajor, &m.applicationVersionMinor, &m.applicationBuildMajor,
                            &m.applicationBuildMinor,   &m.simConnectVersionMajor,  &m.simConnectVersionMinor,
                            &m.simConnectBuildMajor,    &m.simConnectBuildMinor,    &m.reserved1,
                            &m.reserved2};
      size_t offset = 268;
      for (uint32_t* field : fields) {
        *field = r.u32(offset);
        offset += 4;
      }
      return m;
    }
    case ServerMessageId::Quit: return QuitMessage{};
    case ServerMessageId::Event:
      if (size < kEventSize) return other();
      return EventMessage{r.u32(12), r.u32(16), r.u32(20), flagsAt(24)};
    case ServerMessageId::EventObjectAddRemove:
      if (size < kAddRemoveSize) return other();
      return ObjectAddRemoveMessage{r.u32(12), r.u32(16), r.u32(20), static_cast<SimObjectType>(r.u32(24)),
                                    flagsAt(28)};
    case ServerMessageId::EventFilename:
      if (size < kFileNameSize) return other();
      return FileNameMessage{r.u32(12), r.u32(16), r.u32(20), r.text(24, kPathFieldSize), flagsAt(284)};
    case ServerMessageId::EventFrame:
      if (size < kFrameSize) return other();
      return FrameMessage{r.u32(12), r.u32(16), r.u32(20), r.f32(24), r.f32(28), flagsAt(32)};
    case ServerMessageId::SimObjectData:
    case ServerMessageId::SimObjectDataByType:
      if (size < kSimObjectDataHeaderSize) return other();
      return SimObjectDataMessage{id == ServerMessageId::SimObjectDataByType,
                                  r.u32(12),
                                  r.u32(16),
                                  r.u32(20),
                                  r.u32(24),
                                  r.u32(28),
                                  r.u32(32),
                                  r.u32(36),
                                  message.subspan(kSimObjectDataHeaderSize)};
    case ServerMessageId::AssignedObjectId:
      if (size < kAssignedIdSize) return other();
      return AssignedObjectIdMessage{r.u32(12), r.u32(16)};
    default: return other();
  }
}

}  // namespace

ServerHeader readServerHeader(ByteView message) {
  ByteReader r(message);
  return {r.u32(0), r.u32(4), r.u32(8)};
}

ServerMessage decodeServerMessage(ByteView message) {
  ByteReader r(message);
  return decodeKnown(static_cast<ServerMessageId>(r.u32(8)), r, message);
}

Bytes encodeServerMessage(const ServerMessage& message, uint32_t version) {
  Bytes out;
  ByteWriter w(out);
  auto header = [&](ServerMessageId id) {
    w.u32(0);
    w.u32(version);
    w.u32(u(id));
  };
  std::visit(Overloaded{
                 [&](const ExceptionMessage& m) {
                   header(ServerMessageId::Exception);
                   for (uint32_t v : {m.exception, m.sendId, m.index}) w.u32(v);
                 },
                 [&](const OpenMessage& m) {
                   header(ServerMessageId::Open);
                   w.text(m.applicationName, kNameFieldSize);
                   for (uint32_t v : {m.applicationVersionMajor, m.applicationVersionMinor, m.applicationBuildMajor,
                                      m.applicationBuildMinor, m.simConnectVersionMajor, m.simConnectVersionMinor,
                                      m.simConnectBuildMajor, m.simConnectBuildMinor, m.reserved1, m.reserved2})
                     w.u32(v);
                 },
                 [&](const QuitMessage&) { header(ServerMessageId::Quit); },
                 [&](const EventMessage& m) {
                   header(ServerMessageId::Event);
                   for (uint32_t v : {m.groupId, m.eventId, m.data, m.flags}) w.u32(v);
                 },
                 [&](const ObjectAddRemoveMessage& m) {
                   header(ServerMessageId::EventObjectAddRemove);
                   for (uint32_t v : {m.groupId, m.eventId, m.objectId, u(m.objectType), m.flags}) w.u32(v);
                 },
                 [&](const FileNameMessage& m) {
                   header(ServerMessageId::EventFilename);
                   for (uint32_t v : {m.groupId, m.eventId, m.data}) w.u32(v);
                   w.text(m.fileName, kPathFieldSize);
                   w.u32(m.flags);
                 },
                 [&](const FrameMessage& m) {
                   header(ServerMessageId::EventFrame);
                   for (uint32_t v : {m.groupId, m.eventId, m.data}) w.u32(v);
                   w.f32(m.frameRate);
                   w.f32(m.simSpeed);
                   w.u32(m.flags);
                 },
                 [&](const SimObjectDataMessage& m) {
                   header(m.byType ? ServerMessageId::SimObjectDataByType : ServerMessageId::SimObjectData);
                   for (uint32_t v : {m.requestId, m.objectId, m.defineId, m.flags, m.entryNumber, m.outOf,
                                      m.defineCount})
                     w.u32(v);
                   w.bytes(m.data);
                 },
                 [&](const AssignedObjectIdMessage& m) {
                   header(ServerMessageId::AssignedObjectId);
                   w.u32(m.requestId);
                   w.u32(m.objectId);
                 },
                 [&](const OtherMessage& m) { header(static_cast<ServerMessageId>(m.id)); },
             },
             message);
  w.patchU32(0, static_cast<uint32_t>(out.size()));
  return out;
}

}  // namespace tfx::simconnect
