// The receive side of the SimConnect client: the input is a byte stream from
// the simulator, cut into reads of varying length, framed into messages,
// every message decoded and dispatched to a session that waits for one AI
// object. Besides crashes and undefined behaviour, a broken promise of the
// framer or the decoder stops the run, and so does a notification for the
// traffic about an object creation the session never asked for.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <variant>

#include "fake_sim_ops.h"
#include "runstate/user_error.h"
#include "sim/session_dispatcher.h"
#include "sim/simconnect/message_framer.h"
#include "sim/simconnect/server_messages.h"
#include "sim/simconnect/wire_constants.h"

namespace {

using namespace tfx::simconnect;

// Small enough that oversized messages are met often.
constexpr uint32_t kMaxMessageSize = 4096;

void require(bool promise) {
  if (!promise) __builtin_trap();
}

// The one create call the session has made; the stream may announce its object or refuse it.
constexpr uint32_t kPendingPacketId = 7;
constexpr uint32_t kPendingHexid = 4852001;

struct WaitingSession {
  WaitingSession() {
    std::lock_guard lock(exchange.positionMutex());
    exchange.pendingCreations.push_back({kPendingPacketId, kPendingHexid, "FUZZ1"});
  }

  void dispatch(const ServerMessage& message) {
    try {
      dispatcher(message);
    } catch (const tfx::UserErrorException&) {
      // A simulator of another version or a refused connection ends the program with its message.
    }
  }

  // Births and refusals name the pending creation; every kind is a known one.
  void checkNotifications() {
    std::vector<tfx::sim::SimNotification> notifications;
    exchange.takeNotifications(notifications);
    for (const tfx::sim::SimNotification& notification : notifications) {
      using Kind = tfx::sim::NotificationKind;
      require(notification.kind <= Kind::CreateFailed);
      if (notification.kind == Kind::LiveCreated || notification.kind == Kind::StaticCreated ||
          notification.kind == Kind::CreateFailed) {
        require(notification.hexid == kPendingHexid);
      }
    }
  }

  tfx::sim::test::FakeSimOps ops;
  tfx::sim::SessionValues values;
  tfx::sim::ExchangeLists exchange;
  tfx::sim::SessionCore core{ops, values, exchange};
  tfx::sim::SessionDispatcher dispatcher{core};
};

void checkDecoded(ByteView message, const ServerMessage& decoded) {
  if (const auto* data = std::get_if<SimObjectDataMessage>(&decoded)) {
    // The data view stays inside the message it came in.
    require(data->data.empty() || (data->data.data() >= message.data() &&
                                   data->data.data() + data->data.size() <= message.data() + message.size()));
    return;
  }
  if (const auto* other = std::get_if<OtherMessage>(&decoded)) {
    require(other->size == message.size());
    return;
  }
  // What was understood encodes to a message that decodes to the same again.
  const Bytes encoded = encodeServerMessage(decoded, readServerHeader(message).version);
  require(readServerHeader(encoded).size == encoded.size());
  const Bytes again = encodeServerMessage(decodeServerMessage(encoded), readServerHeader(message).version);
  require(again == encoded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte sets the length of the reads the stream arrives in.
  const size_t readLength = 1 + data[0];
  ByteView stream(data + 1, size - 1);
  MessageFramer framer(kServerHeaderSize, kMaxMessageSize);
  WaitingSession session;
  Bytes message;
  size_t framedBytes = 0;
  for (size_t offset = 0; offset < stream.size(); offset += readLength) {
    framer.append(stream.subspan(offset, std::min(readLength, stream.size() - offset)));
    MessageFramer::Result result;
    while ((result = framer.next(message)) == MessageFramer::Result::Message) {
      // Messages are the stream's bytes in order, each as long as its size field says.
      require(message.size() >= kServerHeaderSize && message.size() <= kMaxMessageSize);
      require(readServerHeader(message).size == message.size());
      require(std::memcmp(message.data(), stream.data() + framedBytes, message.size()) == 0);
      framedBytes += message.size();
      const ServerMessage decoded = decodeServerMessage(message);
      checkDecoded(message, decoded);
      session.dispatch(decoded);
    }
    if (result == MessageFramer::Result::BadSize) {
      require(framer.badSize() < kServerHeaderSize || framer.badSize() > kMaxMessageSize);
      session.checkNotifications();
      return 0;
    }
    require(framedBytes + framer.buffered() == std::min(stream.size(), offset + readLength));
  }
  session.checkNotifications();
  return 0;
}
