#include <gtest/gtest.h>

#include <array>
#include <thread>

#include "platform/tcp_socket.h"
#include "platform/udp_socket.h"

namespace tfx::platform {
namespace {

TEST(UdpSockets, DatagramsArriveWholeOnTheBoundPort) {
  UdpReceiver receiver;
  ASSERT_EQ(receiver.create(), 0);
  ASSERT_EQ(receiver.bind(0, true), 0);
  ASSERT_NE(receiver.port(), 0);
  EXPECT_EQ(receiver.waitReadable(0), 0);

  UdpSender sender;
  ASSERT_TRUE(sender.sendTo("127.0.0.1", receiver.port(), "AAL1,one").ok());
  ASSERT_TRUE(sender.sendTo("127.0.0.1", receiver.port(), "two").ok());
  std::array<char, 64> buffer{};
  ASSERT_EQ(receiver.waitReadable(2000), 1);
  IoResult first = receiver.receive(buffer);
  EXPECT_EQ(std::string_view(buffer.data(), static_cast<size_t>(first.bytes)), "AAL1,one");
  IoResult second = receiver.receive(buffer);
  EXPECT_EQ(std::string_view(buffer.data(), static_cast<size_t>(second.bytes)), "two");

  UdpReceiver clash;
  ASSERT_EQ(clash.create(), 0);
  EXPECT_EQ(clash.bind(receiver.port(), true), 10048);
  EXPECT_EQ(sender.sendTo("not an address", 1, "x").error, 10022);
}

TEST(TcpSockets, ConnectAcceptExchangeAndClose) {
  TcpListener listener;
  ASSERT_EQ(listener.create(), 0);
  ASSERT_EQ(listener.setBlocking(), 0);
  ASSERT_EQ(listener.setReuseAddress(), 0);
  ASSERT_EQ(listener.bind(0, true), 0);
  ASSERT_EQ(listener.listen(), 0);

  int error = -1;
  EXPECT_FALSE(listener.accept(0, error));
  EXPECT_EQ(error, 0);

  TcpStream client;
  ASSERT_EQ(client.connect("127.0.0.1", listener.port()), 0);
  std::optional<TcpStream> server = listener.accept(2000, error);
  ASSERT_TRUE(server);
  EXPECT_EQ(server->setNoDelay(), 0);

  ASSERT_TRUE(client.sendAll("Qs999=version\r\n").ok());
  std::array<char, 64> buffer{};
  IoResult received = server->receive(buffer);
  EXPECT_EQ(std::string_view(buffer.data(), static_cast<size_t>(received.bytes)), "Qs999=version\r\n");

  client.close();
  EXPECT_EQ(server->receive(buffer).bytes, 0);
  // Writing into a closed connection fails with the reset number (the first
  // send may still be buffered, the second cannot).
  IoResult sent{};
  for (int attempt = 0; attempt < 50 && sent.ok(); ++attempt) sent = server->sendAll("exit\r\n");
  EXPECT_EQ(sent.error, 10054);
}

TEST(TcpSockets, RefusedConnectionAndAWakeUpOfABlockedAccept) {
  TcpListener listener;
  ASSERT_EQ(listener.create(), 0);
  ASSERT_EQ(listener.bind(0, true), 0);
  const uint16_t freePort = listener.port();
  listener.close();
  TcpStream client;
  EXPECT_EQ(client.connect("127.0.0.1", freePort), 10061);
  EXPECT_FALSE(client.valid());

  TcpListener waiting;
  ASSERT_EQ(waiting.create(), 0);
  ASSERT_EQ(waiting.bind(0, true), 0);
  ASSERT_EQ(waiting.listen(), 0);
  std::thread waker([&] { waiting.shutdown(); });
  int error = 0;
  EXPECT_FALSE(waiting.accept(-1, error));
  waker.join();
}

}  // namespace
}  // namespace tfx::platform
