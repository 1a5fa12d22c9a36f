#include "sim/simconnect/server_messages.h"

#include <gtest/gtest.h>

#include "wire_test_helpers.h"

namespace tfx::simconnect {
namespace {

using test::putU32;

// A server message built by hand: header, then 32-bit fields.
Bytes handMade(uint32_t id, std::initializer_list<uint32_t> fields) {
  Bytes bytes;
  putU32(bytes, static_cast<uint32_t>(12 + 4 * fields.size()));
  putU32(bytes, 35);
  putU32(bytes, id);
  for (uint32_t field : fields) putU32(bytes, field);
  return bytes;
}

TEST(ServerMessages, EventKindsDecodeInTheFsxFormAndTheLongerPrepar3dForm) {
  // FSX form, then the Prepar3D form with its trailing flags.
  const auto fsxEvent = std::get<EventMessage>(decodeServerMessage(handMade(4, {0xFFFFFFFF, 201, 1})));
  EXPECT_EQ(fsxEvent.groupId, 0xFFFFFFFFu);
  EXPECT_EQ(fsxEvent.eventId, 201u);
  EXPECT_EQ(fsxEvent.data, 1u);
  EXPECT_EQ(fsxEvent.flags, 0u);
  const auto p3dEvent = std::get<EventMessage>(decodeServerMessage(handMade(4, {301, 207, 1, 5})));
  EXPECT_EQ(p3dEvent.groupId, 301u);
  EXPECT_EQ(p3dEvent.flags, 5u);

  const auto added = std::get<ObjectAddRemoveMessage>(decodeServerMessage(handMade(5, {0xFFFFFFFF, 202, 4711, 2})));
  EXPECT_EQ(added.eventId, 202u);
  EXPECT_EQ(added.objectId, 4711u);
  EXPECT_EQ(added.objectType, SimObjectType::Aircraft);
  const auto removed =
      std::get<ObjectAddRemoveMessage>(decodeServerMessage(handMade(5, {0xFFFFFFFF, 203, 4712, 2, 9})));
  EXPECT_EQ(removed.objectId, 4712u);
  EXPECT_EQ(removed.flags, 9u);

  const uint32_t rate = 0x41F00000;  // 30.0f
  const uint32_t speed = 0x3F800000;  // 1.0f
  for (auto fields : {std::initializer_list<uint32_t>{0xFFFFFFFF, 204, 7, rate, speed},
                      std::initializer_list<uint32_t>{0xFFFFFFFF, 204, 7, rate, speed, 0}}) {
    const auto frame = std::get<FrameMessage>(decodeServerMessage(handMade(7, fields)));
    EXPECT_EQ(frame.eventId, 204u);
    EXPECT_EQ(frame.frameRate, 30.0f);
    EXPECT_EQ(frame.simSpeed, 1.0f);
  }

  const auto exception = std::get<ExceptionMessage>(decodeServerMessage(handMade(1, {22, 17, 1})));
  EXPECT_EQ(exception.exception, 22u);
  EXPECT_EQ(exception.sendId, 17u);
  EXPECT_EQ(exception.index, 1u);
  const auto assigned = std::get<AssignedObjectIdMessage>(decodeServerMessage(handMade(12, {104, 300})));
  EXPECT_EQ(assigned.objectId, 300u);
  EXPECT_TRUE(std::holds_alternative<QuitMessage>(decodeServerMessage(handMade(3, {}))));
}

TEST(ServerMessages, TooShortOrUnknownKindsComeAsOtherMessages) {
  const auto shortEvent = std::get<OtherMessage>(decodeServerMessage(handMade(4, {1, 2})));
  EXPECT_EQ(shortEvent.id, 4u);
  EXPECT_EQ(shortEvent.size, 20u);
  EXPECT_EQ(std::get<OtherMessage>(decodeServerMessage(handMade(16, {1, 2, 3, 4, 5, 6, 7}))).id, 16u);
  EXPECT_EQ(std::get<OtherMessage>(decodeServerMessage(handMade(27, {}))).id, 27u);
  EXPECT_TRUE(std::holds_alternative<OtherMessage>(decodeServerMessage(handMade(8, {1, 2, 3}))));
}

TEST(ServerMessages, EncodedMessagesHaveTheirWireLayoutAndDecodeToTheSameValues) {
  OpenMessage open;
  open.applicationName = "Lockheed Martin\xAE Prepar3D\xAE v5";
  open.applicationVersionMajor = 5;
  open.applicationVersionMinor = 3;
  open.applicationBuildMajor = 17;
  open.applicationBuildMinor = 28160;
  open.reserved2 = 9;
  const Bytes openBytes = encodeServerMessage(open, 4);
  ASSERT_EQ(openBytes.size(), 308u);
  EXPECT_EQ(test::u32At(openBytes, 4), 4u);
  EXPECT_EQ(test::u32At(openBytes, 8), 2u);
  EXPECT_EQ(test::u32At(openBytes, 280), 28160u);
  EXPECT_EQ(test::u32At(openBytes, 304), 9u);
  const auto decodedOpen = std::get<OpenMessage>(decodeServerMessage(openBytes));
  EXPECT_EQ(decodedOpen.applicationName, open.applicationName);
  EXPECT_EQ(decodedOpen.applicationBuildMinor, 28160u);

  // Events go out in the Prepar3D form.
  EXPECT_EQ(encodeServerMessage(EventMessage{0xFFFFFFFF, 201, 1, 0}, 35).size(), 28u);
  EXPECT_EQ(encodeServerMessage(ObjectAddRemoveMessage{0xFFFFFFFF, 202, 5, SimObjectType::Aircraft, 0}, 35).size(),
            32u);
  EXPECT_EQ(encodeServerMessage(FrameMessage{0xFFFFFFFF, 204, 1, 30, 1, 0}, 35).size(), 36u);
  const Bytes file = encodeServerMessage(FileNameMessage{0xFFFFFFFF, 206, 0, "C:\\flights\\demo.fxml", 0}, 35);
  ASSERT_EQ(file.size(), 288u);
  EXPECT_EQ(std::get<FileNameMessage>(decodeServerMessage(file)).fileName, "C:\\flights\\demo.fxml");

  const Bytes data = {1, 2, 3, 4, 5, 6, 7, 8};
  const Bytes byType = encodeServerMessage(SimObjectDataMessage{true, 101, 300, 404, 0, 2, 3, 1, data}, 35);
  ASSERT_EQ(byType.size(), 48u);
  EXPECT_EQ(test::u32At(byType, 8), 9u);
  const auto decoded = std::get<SimObjectDataMessage>(decodeServerMessage(byType));
  EXPECT_TRUE(decoded.byType);
  EXPECT_EQ(decoded.requestId, 101u);
  EXPECT_EQ(decoded.objectId, 300u);
  EXPECT_EQ(decoded.defineId, 404u);
  EXPECT_EQ(decoded.entryNumber, 2u);
  EXPECT_EQ(decoded.outOf, 3u);
  EXPECT_EQ(Bytes(decoded.data.begin(), decoded.data.end()), data);
}

}  // namespace
}  // namespace tfx::simconnect
