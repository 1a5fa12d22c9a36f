#include "sim/simconnect/client_messages.h"

#include <gtest/gtest.h>

#include "wire_test_helpers.h"

namespace tfx::simconnect {
namespace {

using test::f64At;
using test::fieldAt;
using test::padded;
using test::u32At;

struct Expected {
  const char* name;
  ClientRequest request;
  uint32_t id;
  uint32_t size;
  std::vector<std::pair<size_t, uint32_t>> words;                 // offset, 32-bit value
  std::vector<std::tuple<size_t, size_t, std::string>> texts;     // offset, width, text
};

TEST(ClientMessages, EveryOperationHasTheSizeIdAndFieldOrderOfTheWireTable) {
  InitPosition start{47.25, 8.5, 1416.5, -2.5, 1.5, 271.25, 1, -2};
  const std::vector<Expected> table = {
      {"open", OpenRequest{"Aeroshadow_P3D"}, 0xF0000001, 296,
       {{272, 0}, {276, 0x50334400}, {280, 5}, {284, 3}, {288, 0}, {292, 0}},
       {{16, 256, "Aeroshadow_P3D"}}},
      {"map event", MapClientEventRequest{207, "BEACON_LIGHTS_SET"}, 0xF0000004, 276, {{16, 207}},
       {{20, 256, "BEACON_LIGHTS_SET"}}},
      {"transmit", TransmitClientEventRequest{4660, 223, 11468, 301, 16}, 0xF0000005, 36,
       {{16, 4660}, {20, 223}, {24, 11468}, {28, 301}, {32, 16}}, {}},
      {"add to group", AddClientEventToGroupRequest{301, 208, 1}, 0xF0000007, 28, {{16, 301}, {20, 208}, {24, 1}},
       {}},
      {"group priority", SetGroupPriorityRequest{301, 1}, 0xF0000009, 24, {{16, 301}, {20, 1}}, {}},
      {"add to definition",
       AddToDataDefinitionRequest{403, "ZULU TIME", "Seconds", DataType::Int64, 0.25f, kUnused}, 0xF000000C, 544,
       {{16, 403}, {532, 2}, {536, 0x3E800000}, {540, 0xFFFFFFFF}},
       {{20, 256, "ZULU TIME"}, {276, 256, "Seconds"}}},
      {"request data", RequestDataRequest{109, 403, 85, Period::Second, 2, 3, 5, 9}, 0xF000000E, 48,
       {{16, 109}, {20, 403}, {24, 85}, {28, 4}, {32, 2}, {36, 3}, {40, 5}, {44, 9}}, {}},
      {"request by type", RequestDataByTypeRequest{101, 404, 18520, SimObjectType::Aircraft}, 0xF000000F, 32,
       {{16, 101}, {20, 404}, {24, 18520}, {28, 2}}, {}},
      {"set data", SetDataRequest{402, 119, 0, 1, 8, {1, 2, 3, 4, 5, 6, 7, 8}}, 0xF0000010, 44,
       {{16, 402}, {20, 119}, {24, 0}, {28, 1}, {32, 8}, {36, 0x04030201}, {40, 0x08070605}}, {}},
      {"subscribe", SubscribeToSystemEventRequest{204, "Frame"}, 0xF0000017, 276, {{16, 204}},
       {{20, 256, "Frame"}}},
      {"ai create", AICreateNonAtcAircraftRequest{"Boeing 737-800 Test Livery", "HB-JXA", start, 104}, 0xF0000029,
       344, {{332, 1}, {336, 0xFFFFFFFE}, {340, 104}},
       {{16, 256, "Boeing 737-800 Test Livery"}, {272, 12, "HB-JXA"}}},
      {"ai release", AIReleaseControlRequest{257, 103}, 0xF000002B, 24, {{16, 257}, {20, 103}}, {}},
      {"ai remove", AIRemoveObjectRequest{258, 105}, 0xF000002C, 24, {{16, 258}, {20, 105}}, {}},
      {"ai flight plan", AISetFlightPlanRequest{259, "orig_dest\\4CA1B2", 110}, 0xF000002D, 284,
       {{16, 259}, {280, 110}}, {{20, 260, "orig_dest\\4CA1B2"}}},
  };
  ASSERT_EQ(table.size(), std::variant_size_v<ClientRequest>);
  uint32_t sendId = 1;
  for (const Expected& e : table) {
    SCOPED_TRACE(e.name);
    const Bytes bytes = encodeClientMessage(e.request, kP3dProtocol, sendId);
    ASSERT_EQ(bytes.size(), e.size);
    EXPECT_EQ(u32At(bytes, 0), e.size);
    EXPECT_EQ(u32At(bytes, 4), 35u);
    EXPECT_EQ(u32At(bytes, 8), e.id);
    EXPECT_EQ(u32At(bytes, 12), sendId);
    for (const auto& [offset, value] : e.words) EXPECT_EQ(u32At(bytes, offset), value) << "offset " << offset;
    for (const auto& [offset, width, text] : e.texts) EXPECT_EQ(fieldAt(bytes, offset, width), padded(text, width));
    // The stand-in reads back what the program wrote.
    const DecodedClientMessage decoded = decodeClientMessage(bytes);
    ASSERT_TRUE(decoded.request.has_value());
    EXPECT_EQ(encodeClientMessage(*decoded.request, kP3dProtocol, sendId), bytes);
    ++sendId;
  }
  const Bytes create = encodeClientMessage(table[10].request, kP3dProtocol, 1);
  const double doubles[] = {47.25, 8.5, 1416.5, -2.5, 1.5, 271.25};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(f64At(create, 284 + 8 * i), doubles[i]);
}

TEST(ClientMessages, TextsAreCutToTheirFieldAndAFullFieldHasNoTerminator) {
  AICreateNonAtcAircraftRequest create{std::string(300, 'T'), "ABCDEFGHIJKLMNOP", {}, 104};
  const Bytes bytes = encodeClientMessage(create, kP3dProtocol, 7);
  ASSERT_EQ(bytes.size(), 344u);
  EXPECT_EQ(fieldAt(bytes, 16, 256), std::string(256, 'T'));
  EXPECT_EQ(fieldAt(bytes, 272, 12), "ABCDEFGHIJKL");
  EXPECT_EQ(u32At(bytes, 340), 104u);
  const auto decoded = decodeClientMessage(bytes);
  EXPECT_EQ(std::get<AICreateNonAtcAircraftRequest>(*decoded.request).tailNumber, "ABCDEFGHIJKL");

  // A shorter text leaves no bytes of an earlier, longer one behind.
  const Bytes plan = encodeClientMessage(AISetFlightPlanRequest{1, "ab", 110}, kP3dProtocol, 8);
  EXPECT_EQ(fieldAt(plan, 20, 260), padded("ab", 260));
}

TEST(ClientMessages, SendIdsStartAtOneAndWrapToOneAfterTheLargest) {
  SendIdCounter fresh;
  EXPECT_EQ(fresh.peekNext(), 1u);
  SendIdCounter nearEnd(0xFFFFFFFE);
  EXPECT_EQ(nearEnd.peekNext(), 0xFFFFFFFFu);
  nearEnd.commit(nearEnd.peekNext());
  EXPECT_EQ(nearEnd.last(), 0xFFFFFFFFu);
  EXPECT_EQ(nearEnd.peekNext(), 1u);
  nearEnd.commit(1);
  EXPECT_EQ(nearEnd.peekNext(), 2u);
}

TEST(ClientMessages, DecoderRefusesUnknownIdsAndSizesThatDoNotFit) {
  Bytes release = encodeClientMessage(AIReleaseControlRequest{5, 103}, kP3dProtocol, 3);
  EXPECT_TRUE(decodeClientMessage(release).request.has_value());
  Bytes longer = release;
  longer.push_back(0);
  EXPECT_FALSE(decodeClientMessage(longer).request.has_value());
  Bytes unknown = release;
  unknown[8] = 0x99;
  const auto decoded = decodeClientMessage(unknown);
  EXPECT_FALSE(decoded.request.has_value());
  EXPECT_EQ(decoded.header.sendId, 3u);
  // Set data carries its record after the fixed part.
  const Bytes set = encodeClientMessage(SetDataRequest{402, 9, 0, 1, 4, {9, 8, 7, 6}}, kP3dProtocol, 4);
  EXPECT_EQ(std::get<SetDataRequest>(*decodeClientMessage(set).request).data, (Bytes{9, 8, 7, 6}));
}

}  // namespace
}  // namespace tfx::simconnect
