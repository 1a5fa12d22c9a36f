#include "platform/udp_socket.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace tfx::platform {
namespace {

TEST(UdpSocketTest, ReceiveTellsTheWholeLengthOfADatagramThatDidNotFit) {
  UdpReceiver receiver;
  ASSERT_EQ(receiver.create(), 0);
  ASSERT_EQ(receiver.bind(0, true), 0);
  UdpSender sender;
  const std::string big(5000, 'b');
  ASSERT_TRUE(sender.sendTo("127.0.0.1", receiver.port(), big).ok());
  ASSERT_TRUE(sender.sendTo("127.0.0.1", receiver.port(), "small").ok());

  std::array<char, 1000> buffer{};
  ASSERT_EQ(receiver.waitReadable(5000), 1);
  EXPECT_EQ(receiver.receive(buffer).bytes, 5000);
  EXPECT_EQ(std::string(buffer.data(), 3), "bbb");
  // The rest of the big one is gone: the next receive is the next datagram.
  ASSERT_EQ(receiver.waitReadable(5000), 1);
  const IoResult small = receiver.receive(buffer);
  EXPECT_EQ(std::string(buffer.data(), static_cast<size_t>(small.bytes)), "small");
}

}  // namespace
}  // namespace tfx::platform
