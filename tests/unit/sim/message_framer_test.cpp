#include "sim/simconnect/message_framer.h"
#include "sim/simconnect/wire_constants.h"

#include <gtest/gtest.h>

#include "wire_test_helpers.h"

namespace tfx::simconnect {
namespace {

Bytes message(uint32_t size, uint8_t fill) {
  Bytes bytes;
  test::putU32(bytes, size);
  bytes.resize(size, fill);
  return bytes;
}

TEST(MessageFramer, CutsCoalescedAndSplitMessagesByTheirSize) {
  MessageFramer framer(kServerHeaderSize, 1000);
  Bytes stream;
  for (auto [size, fill] : {std::pair{12u, 1}, {24u, 2}, {308u, 3}, {13u, 4}}) {
    const Bytes m = message(size, static_cast<uint8_t>(fill));
    stream.insert(stream.end(), m.begin(), m.end());
  }
  // Pieces that split a size field, a body, and join the end of one message to the next.
  const size_t cuts[] = {2, 3, 20, 40, 41, 350, stream.size()};
  std::vector<Bytes> received;
  Bytes next;
  size_t from = 0;
  for (size_t cut : cuts) {
    framer.append(ByteView(stream).subspan(from, cut - from));
    from = cut;
    MessageFramer::Result result;
    while ((result = framer.next(next)) == MessageFramer::Result::Message) received.push_back(next);
    EXPECT_EQ(result, MessageFramer::Result::NeedMore);
  }
  ASSERT_EQ(received.size(), 4u);
  EXPECT_EQ(received[0], message(12, 1));
  EXPECT_EQ(received[2], message(308, 3));
  EXPECT_EQ(received[3], message(13, 4));
  EXPECT_EQ(framer.buffered(), 0u);

  // All in one read.
  MessageFramer whole(kServerHeaderSize, 1000);
  whole.append(stream);
  size_t count = 0;
  while (whole.next(next) == MessageFramer::Result::Message) ++count;
  EXPECT_EQ(count, 4u);
}

TEST(MessageFramer, SizesBelowTheHeaderOrAboveTheMaximumAreRefused) {
  for (uint32_t bad : {0u, 11u, 1001u, 0xFFFFFFFFu}) {
    MessageFramer framer(kServerHeaderSize, 1000);
    Bytes bytes = message(12, 0);
    Bytes broken;
    test::putU32(broken, bad);
    bytes.insert(bytes.end(), broken.begin(), broken.end());
    framer.append(bytes);
    Bytes next;
    EXPECT_EQ(framer.next(next), MessageFramer::Result::Message);
    EXPECT_EQ(framer.next(next), MessageFramer::Result::BadSize);
    EXPECT_EQ(framer.badSize(), bad);
  }
  MessageFramer exact(kServerHeaderSize, 1000);
  exact.append(message(1000, 0));
  Bytes next;
  EXPECT_EQ(exact.next(next), MessageFramer::Result::Message);
}

}  // namespace
}  // namespace tfx::simconnect
