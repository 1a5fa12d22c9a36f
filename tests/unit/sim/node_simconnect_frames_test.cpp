// Our encoder against the frames an independent client (node-simconnect)
// produced for the same calls; fixtures made by scripts/capture-simconnect-frames.sh.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "sim/simconnect/client_messages.h"

namespace tfx::simconnect {
namespace {

std::map<std::string, Bytes> readFixtures() {
  std::ifstream in(std::string(SIMCONNECT_FIXTURES) + "/node_simconnect_frames.txt");
  std::map<std::string, Bytes> frames;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line.front() == '#') continue;
    std::istringstream fields(line);
    std::string name, hex;
    fields >> name >> hex;
    Bytes bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    frames[name] = bytes;
  }
  return frames;
}

// Bytes that legitimately differ: the protocol number, the send id (node
// starts at 0), and the Open identity (node opens as FSX SP2).
Bytes masked(Bytes frame, bool open) {
  for (size_t i : {4, 5, 6, 7, 12, 13, 14, 15}) frame.at(i) = 0;
  if (open)
    for (size_t i = 276; i < 296; ++i) frame.at(i) = 0;
  return frame;
}

Bytes positionRecord() {
  Bytes record;
  ByteWriter writer(record);
  for (double v : {47.4582, 8.5481, 3.5, -1.25, 2.75, 1416.5, -8.25, 142.5}) writer.f64(v);
  return record;
}

TEST(NodeSimconnectFrames, OurEncoderWritesTheSameFramesForAllOperations) {
  const auto fixtures = readFixtures();
  const InitPosition start{47.4582, 8.5481, 1416.5, -2.5, 1.5, 271.25, 1, 7};
  // The same arguments as tests/integration/sim/peer/capture_frames.js.
  const std::vector<std::pair<std::string, ClientRequest>> calls = {
      {"open", OpenRequest{"Aeroshadow_P3D"}},
      {"mapClientEventToSimEvent", MapClientEventRequest{207, "BEACON_LIGHTS_SET"}},
      {"transmitClientEvent", TransmitClientEventRequest{4660, 223, 11468, 301, 16}},
      {"addClientEventToNotificationGroup", AddClientEventToGroupRequest{301, 208, 1}},
      {"setNotificationGroupPriority", SetGroupPriorityRequest{301, 1}},
      {"addToDataDefinition", AddToDataDefinitionRequest{403, "ZULU TIME", "Seconds", DataType::Int64, 0.25f, 7}},
      {"requestDataOnSimObject", RequestDataRequest{109, 403, 85, Period::Second, 2, 3, 5, 9}},
      {"requestDataOnSimObjectType", RequestDataByTypeRequest{101, 404, 18520, SimObjectType::Aircraft}},
      {"setDataOnSimObject", SetDataRequest{402, 119, 0, 1, 64, positionRecord()}},
      {"subscribeToSystemEvent", SubscribeToSystemEventRequest{204, "Frame"}},
      {"aiCreateNonAtcAircraft", AICreateNonAtcAircraftRequest{"Boeing 737-800 Test Livery", "HB-JXA123456", start, 104}},
      {"aiReleaseControl", AIReleaseControlRequest{257, 103}},
      {"aiRemoveObject", AIRemoveObjectRequest{258, 105}},
      {"aiSetAircraftFlightPlan", AISetFlightPlanRequest{259, "orig_dest\\4CA1B2", 110}},
  };
  ASSERT_EQ(fixtures.size(), calls.size());
  uint32_t sendId = 1;
  for (const auto& [name, request] : calls) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(fixtures.contains(name));
    const bool open = name == "open";
    EXPECT_EQ(masked(encodeClientMessage(request, kP3dProtocol, sendId++), open), masked(fixtures.at(name), open));
  }
  // Unmasked, node opens as FSX SP2: the identity the stand-in accepts besides ours.
  const Bytes& nodeOpen = fixtures.at("open");
  OpenRequest fsx{"Aeroshadow_P3D", 0, kFsxOpenTag, {10, 0, 61259, 0}};
  EXPECT_EQ(encodeClientMessage(fsx, kFsxSp2Protocol, 0), nodeOpen);
}

}  // namespace
}  // namespace tfx::simconnect
