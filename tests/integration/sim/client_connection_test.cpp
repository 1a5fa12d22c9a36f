// The client's connection against a scripted server: framing of what it
// receives, connection faults, and sends from two threads.
#include <gtest/gtest.h>

#include <thread>

#include "core/log.h"
#include "inbox.h"
#include "platform/tcp_socket.h"
#include "sim/simconnect/message_framer.h"
#include "sim/simconnect/object_data.h"
#include "test_support.h"

namespace tfx::simconnect {
namespace {

using test::Inbox;

class ScriptedServer {
 public:
  ScriptedServer() {
    EXPECT_EQ(listener_.create(), 0);
    EXPECT_EQ(listener_.bind(0, true), 0);
    EXPECT_EQ(listener_.listen(), 0);
  }
  SimConnectConfig config() const {
    SimConnectConfig config;
    config.port = listener_.port();
    return config;
  }
  platform::TcpStream accept() {
    int error = 0;
    auto stream = listener_.accept(10000, error);
    EXPECT_TRUE(stream.has_value());
    return stream ? std::move(*stream) : platform::TcpStream();
  }

 private:
  platform::TcpListener listener_;
};

// Reads whole client messages until `count` arrived or the client closed.
std::vector<Bytes> readMessages(platform::TcpStream& stream, size_t count) {
  MessageFramer framer(kClientHeaderSize, 1 << 20);
  std::vector<Bytes> messages;
  char buffer[4096];
  Bytes message;
  while (messages.size() < count) {
    const auto received = stream.receive(buffer);
    if (received.bytes <= 0) break;
    framer.append({reinterpret_cast<const uint8_t*>(buffer), static_cast<size_t>(received.bytes)});
    while (framer.next(message) == MessageFramer::Result::Message) messages.push_back(message);
  }
  return messages;
}

void sendBytes(platform::TcpStream& stream, const Bytes& bytes) { ASSERT_TRUE(stream.sendAll(asText(bytes)).ok()); }

TEST(ClientConnection, OpenFailsWhenNothingListensOrThePipeProtocolIsAsked) {
  SimConnectConfig config;
  {
    ScriptedServer closedAgain;
    config = closedAgain.config();
  }
  SimConnectClient client;
  EXPECT_LT(client.open("Aeroshadow_P3D", config), 0);
  EXPECT_FALSE(client.connected());
  EXPECT_EQ(client.transmitClientEvent(5, 207, 1, 301, 0), kResultFail);
  uint32_t sendId = 0;
  EXPECT_LT(client.GetLastSentPacketID(&sendId), 0);

  LogCapture log;
  config.protocol = "Pipe";
  EXPECT_LT(client.open("Aeroshadow_P3D", config), 0);
  EXPECT_TRUE(log.contains("SimConnect.cfg: Protocol=Pipe is not available, use Protocol=IPv4"));
}

TEST(ClientConnection, ReadsCoalescedAndSplitMessagesAndClosesOnABadSize) {
  ScriptedServer server;
  SimConnectClient client;
  ASSERT_EQ(client.open("Aeroshadow_P3D", server.config()), 0);
  platform::TcpStream peer = server.accept();
  ASSERT_EQ(readMessages(peer, 1).size(), 1u);

  Bytes coalesced = encodeServerMessage(EventMessage{kUnknownGroup, 201, 1, 0}, 35);
  const Bytes frame = encodeServerMessage(FrameMessage{kUnknownGroup, 204, 1, 30, 1, 0}, 35);
  coalesced.insert(coalesced.end(), frame.begin(), frame.end());
  sendBytes(peer, coalesced);
  Inbox inbox;
  ASSERT_TRUE(inbox.pump(client, [&] { return inbox.messages.size() == 2; }));

  // One object-data message over two sends, cut inside its header.
  Bytes data;
  DatumWriter(data).float64(47.5);
  const Bytes reply = encodeServerMessage(SimObjectDataMessage{false, 109, 1, 403, 0, 1, 1, 1, data}, 35);
  sendBytes(peer, Bytes(reply.begin(), reply.begin() + 6));
  client.dispatch([&](const ServerMessage& m) { inbox.take(m); });
  sendBytes(peer, Bytes(reply.begin() + 6, reply.end()));
  ASSERT_TRUE(inbox.pump(client, [&] { return inbox.replies(109).size() == 1; }));
  EXPECT_EQ(DatumReader(inbox.replies(109)[0].data).float64(), 47.5);

  LogCapture log;
  Bytes broken = {8, 0, 0, 0};
  broken.resize(12, 0);
  sendBytes(peer, broken);
  ASSERT_TRUE(inbox.pump(client, [&] { return !client.connected(); }));
  EXPECT_TRUE(log.contains("===> SimConnect: received message size 8 outside 12..65536, connection closed"));
  EXPECT_EQ(client.dispatch([&](const ServerMessage& m) { inbox.take(m); }), kResultFail);
  EXPECT_EQ(client.requestDataOnSimObject(109, 403, 0, Period::Once), kResultFail);
}

TEST(ClientConnection, SendsFromTwoThreadsKeepOneUnbrokenSequenceOfSendIds) {
  ScriptedServer server;
  SimConnectClient client;
  ASSERT_EQ(client.open("Aeroshadow_P3D", server.config()), 0);
  platform::TcpStream peer = server.accept();
  constexpr uint32_t perThread = 300;
  std::vector<Bytes> received;
  std::thread reader([&] { received = readMessages(peer, 1 + 2 * perThread); });
  auto sender = [&](uint32_t eventId) {
    for (uint32_t i = 0; i < perThread; ++i) EXPECT_EQ(client.transmitClientEvent(7, eventId, i, 301, 0), 0);
  };
  std::thread first(sender, 207);
  std::thread second(sender, 208);
  first.join();
  second.join();
  reader.join();
  uint32_t last = 0;
  EXPECT_EQ(client.GetLastSentPacketID(&last), 0);
  EXPECT_EQ(last, 1 + 2 * perThread);

  ASSERT_EQ(received.size(), 1 + 2 * perThread);
  uint32_t expectedData[2] = {0, 0};
  for (uint32_t i = 0; i < received.size(); ++i) {
    const auto decoded = decodeClientMessage(received[i]);
    EXPECT_EQ(decoded.header.sendId, i + 1);
    if (i == 0) continue;
    const auto& event = std::get<TransmitClientEventRequest>(*decoded.request);
    // Each thread's events arrive whole and in its own order.
    EXPECT_EQ(event.data, expectedData[event.eventId - 207]++);
  }
}

TEST(ClientConnection, ASimulatorThatStopsReadingNeverHoldsASender) {
  ScriptedServer server;
  constexpr size_t kLimit = 1u << 20;
  SimConnectClient client(kLimit);
  ASSERT_EQ(client.open("Aeroshadow_P3D", server.config()), 0);
  platform::TcpStream silent = server.accept();
  LogCapture log;
  // Far more than the socket buffers and the limit together: every call
  // returns, the first ones queue, and past the limit the simulator counts
  // as lost.
  const Bytes position(64, 0);
  size_t accepted = 0;
  for (int i = 0; i < 400000 && client.setDataOnSimObject(1, 2, 0, 1, 64, position) == kResultOk; ++i) ++accepted;
  EXPECT_GT(accepted * 64, kLimit);
  EXPECT_LT(accepted, 400000u);
  EXPECT_FALSE(client.connected());
  EXPECT_TRUE(log.contains("SimConnect: the simulator takes no messages, "));
  EXPECT_EQ(client.transmitClientEvent(5, 207, 1, 301, 0), kResultFail);
}

TEST(ClientConnection, AnAddressThatDoesNotAnswerIsLeftWhenCancelled) {
  // A listener whose accept queue is full drops further handshakes, as a
  // host that does not answer does.
  platform::TcpListener full;
  ASSERT_EQ(full.create(), 0);
  ASSERT_EQ(full.bind(0, true), 0);
  ASSERT_EQ(full.listen(0), 0);
  std::vector<platform::TcpStream> queued(2);
  for (auto& stream : queued) {
    int steps = 0;
    stream.connect("127.0.0.1", full.port(), [&] { return ++steps > 5; });
  }
  SimConnectConfig config;
  config.port = full.port();
  SimConnectClient client;
  int asked = 0;
  EXPECT_EQ(client.open("Aeroshadow_P3D", config, [&] { return ++asked > 3; }), kResultFail);
  EXPECT_EQ(asked, 4) << "the wait ends at the first step that sees the cancel";
  EXPECT_FALSE(client.connected());
}

}  // namespace
}  // namespace tfx::simconnect
