// The program's SimConnect client against the simulator stand-in, in one
// process, over loopback.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "inbox.h"
#include "running_standin.h"
#include "server.h"
#include "sim/simconnect/object_data.h"
#include "test_support.h"

namespace tfx::simconnect {
namespace {

using simstandin::StandinOptions;
using test::DataReply;
using test::Inbox;

constexpr const char* kTitle = "Airbus A320 Swiss HB-JLT";

// Serves the stand-in with the two installed titles of these tests.
class RunningStandin : public test::RunningStandin {
 public:
  explicit RunningStandin(const StandinOptions& options)
      : test::RunningStandin(options, {kTitle, "Boeing 737-800 Test Livery"}) {}
};

StandinOptions parkedAt(double elevation) {
  StandinOptions options;
  options.port = 0;
  options.groundElevationFeet = elevation;
  options.frameRate = 50;
  options.scenario.start = {47.4582, 8.5481, 160.0, 0.0, 0.0};
  return options;
}

// The user-state and around-the-user definitions as the session registers them.
void registerDefinitions(SimConnectClient& client) {
  const std::pair<const char*, const char*> state[] = {
      {"Plane Latitude", "degree"},       {"Plane Longitude", "degree"},         {"Plane Pitch degrees", "radians"},
      {"Plane Bank degrees", "radians"},  {"Plane Heading degrees true", "radians"}, {"Plane Altitude", "feet"},
      {"Plane Alt Above Ground", "feet"}, {"Ground Velocity", "knots"}};
  for (const auto& [name, unit] : state) client.addToDataDefinition(403, name, unit);
  client.addToDataDefinition(403, "ZULU TIME", "Seconds", DataType::Int64);
  client.addToDataDefinition(403, "ZULU DAY OF YEAR", "Number", DataType::Int64);
  client.addToDataDefinition(403, "ZULU YEAR", "Number", DataType::Int64);
  client.addToDataDefinition(403, "LIGHT STATES", "Mask", DataType::Int64);
  client.addToDataDefinition(404, "Plane Alt Above Ground", "feet");
  client.addToDataDefinition(404, "Ground Altitude", "feet");
  client.addToDataDefinition(404, "SIM ON GROUND", "Bool", DataType::Int64);
  client.addToDataDefinition(404, "ATC ID", "", DataType::String32);
  client.addToDataDefinition(409, "SIM ON GROUND", "Bool", DataType::Int64);
  const char* position[] = {"Plane Latitude",   "Plane Longitude", "Plane Pitch degrees", "Plane Bank degrees",
                            "Plane Heading degrees true", "Plane Altitude", "Vertical Speed", "Airspeed True"};
  const char* units[] = {"degree", "degree", "radians", "radians", "radians", "feet", "feet per second", "knots"};
  for (int i = 0; i < 8; ++i) client.addToDataDefinition(402, position[i], units[i]);
}

TEST(ClientWithStandin, OpenIsAnsweredWithTheSimulatorNameAndVersion) {
  RunningStandin standin(parkedAt(0));
  SimConnectClient client;
  ASSERT_EQ(client.open("Aeroshadow_P3D", standin.config()), 0);
  uint32_t sendId = 0;
  ASSERT_EQ(client.GetLastSentPacketID(&sendId), 0);
  EXPECT_EQ(sendId, 1u);
  Inbox inbox;
  ASSERT_TRUE(inbox.pump(client, [&] { return !inbox.all<OpenMessage>().empty(); }));
  const OpenMessage open = inbox.all<OpenMessage>().front();
  EXPECT_EQ(open.applicationName, "Lockheed Martin\xAE Prepar3D\xAE v5");
  EXPECT_EQ(open.applicationVersionMajor, 5u);
  EXPECT_EQ(open.applicationVersionMinor, 3u);
  EXPECT_EQ(client.close(), 0);
  EXPECT_LT(client.close(), 0);

  // The simulator takes a later client after the first has gone.
  SimConnectClient second;
  ASSERT_EQ(second.open("Aeroshadow_P3D", standin.config()), 0);
  Inbox again;
  EXPECT_TRUE(again.pump(second, [&] { return !again.all<OpenMessage>().empty(); }));
}

TEST(ClientWithStandin, DataRequestsAreAnsweredOnceAndEverySecond) {
  RunningStandin standin(parkedAt(1416));
  SimConnectClient client;
  ASSERT_EQ(client.open("Aeroshadow_P3D", standin.config()), 0);
  registerDefinitions(client);
  ASSERT_EQ(client.subscribeToSystemEvent(201, "Sim"), 0);
  ASSERT_EQ(client.requestDataOnSimObject(109, 403, kObjectIdUser, Period::Once), 0);
  ASSERT_EQ(client.requestDataOnSimObject(108, 409, kObjectIdUser, Period::Second), 0);
  Inbox inbox;
  ASSERT_TRUE(inbox.pump(client, [&] { return inbox.replies(108).size() >= 3; }));

  const auto state = inbox.replies(109);
  ASSERT_EQ(state.size(), 1u);
  EXPECT_EQ(state[0].header.objectId, simstandin::World::kUserObjectId);
  ASSERT_EQ(state[0].data.size(), 96u);
  DatumReader reader(state[0].data);
  EXPECT_DOUBLE_EQ(reader.float64(), 47.4582);
  EXPECT_DOUBLE_EQ(reader.float64(), 8.5481);
  reader.float64();
  reader.float64();
  EXPECT_NEAR(reader.float64(), 160.0 * 0.017453292519943295, 1e-9);
  EXPECT_DOUBLE_EQ(reader.float64(), 1416.0);
  EXPECT_DOUBLE_EQ(reader.float64(), 0.0);
  EXPECT_DOUBLE_EQ(reader.float64(), 0.0);
  const int64_t secondsOfDay = reader.int64();
  EXPECT_TRUE(secondsOfDay >= 0 && secondsOfDay < 86400);
  const int64_t day = reader.int64();
  EXPECT_TRUE(day >= 1 && day <= 366);
  EXPECT_GE(reader.int64(), 2024);

  for (const auto& onGround : inbox.replies(108)) {
    ASSERT_EQ(onGround.data.size(), 8u);
    EXPECT_EQ(DatumReader(onGround.data).int64(), 1);
  }
  const auto events = inbox.all<EventMessage>();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front().eventId, 201u);
  EXPECT_EQ(events.front().data, 1u);
}

TEST(ClientWithStandin, AiAircraftAreCreatedMovedAndRemoved) {
  tfx::test::TempDir folder;
  StandinOptions options = parkedAt(1416);
  options.traceFile = (folder / "trace.txt").string();
  RunningStandin standin(options);
  SimConnectClient client;
  ASSERT_EQ(client.open("Aeroshadow_P3D", standin.config()), 0);
  registerDefinitions(client);
  client.subscribeToSystemEvent(202, "ObjectAdded");
  client.subscribeToSystemEvent(203, "ObjectRemoved");
  client.subscribeToSystemEvent(204, "Frame");
  client.mapClientEventToSimEvent(215, "FREEZE_LATITUDE_LONGITUDE_SET");

  const InitPosition start{47.4600, 8.5500, 1416.0, 0.0, 0.0, 90.0, 1, 0};
  ASSERT_EQ(client.aiCreateNonAtcAircraft(kTitle, "SWR123", start, 104), 0);
  ASSERT_EQ(client.aiCreateNonAtcAircraft("Not Installed Livery", "EZY45", start, 104), 0);
  uint32_t refusedSendId = 0;
  ASSERT_EQ(client.GetLastSentPacketID(&refusedSendId), 0);

  Inbox inbox;
  ASSERT_TRUE(inbox.pump(client, [&] {
    return !inbox.all<ObjectAddRemoveMessage>().empty() && !inbox.all<ExceptionMessage>().empty();
  }));
  const auto added = inbox.all<ObjectAddRemoveMessage>().front();
  EXPECT_EQ(added.eventId, 202u);
  EXPECT_EQ(added.objectType, SimObjectType::Aircraft);
  const uint32_t objectId = added.objectId;
  EXPECT_GT(objectId, simstandin::World::kUserObjectId);
  const auto refused = inbox.all<ExceptionMessage>().front();
  EXPECT_EQ(refused.exception, static_cast<uint32_t>(SimConnectException::CreateObjectFailed));
  EXPECT_EQ(refused.sendId, refusedSendId);
  ASSERT_EQ(inbox.all<AssignedObjectIdMessage>().size(), 1u);
  EXPECT_EQ(inbox.all<AssignedObjectIdMessage>().front().objectId, objectId);

  // Aircraft around the user: the user and the new aircraft with its tail number as ATC ID.
  ASSERT_EQ(client.requestDataOnSimObjectType(101, 404, 5000, SimObjectType::Aircraft), 0);
  ASSERT_TRUE(inbox.pump(client, [&] { return inbox.replies(101).size() == 2; }));
  const DataReply ai = inbox.replies(101)[1];
  EXPECT_TRUE(ai.header.byType);
  EXPECT_EQ(ai.header.objectId, objectId);
  EXPECT_EQ(ai.header.entryNumber, 2u);
  EXPECT_EQ(ai.header.outOf, 2u);
  ASSERT_EQ(ai.data.size(), 56u);
  DatumReader around(ai.data);
  EXPECT_DOUBLE_EQ(around.float64(), 0.0);
  EXPECT_DOUBLE_EQ(around.float64(), 1416.0);
  EXPECT_EQ(around.int64(), 1);
  EXPECT_EQ(around.fixedString(32), "SWR123");

  // Release, freeze and positions written frame by frame.
  EXPECT_EQ(client.aiReleaseControl(objectId, 103), 0);
  EXPECT_EQ(client.transmitClientEvent(objectId, 215, 1, 301, 0), 0);
  const size_t framesBefore = inbox.all<FrameMessage>().size();
  for (int step = 1; step <= 3; ++step) {
    Bytes record;
    DatumWriter writer(record);
    for (double v : {47.47 + step * 0.001, 8.56, 0.05, -0.1, 1.5, 1500.0 + step * 100, 5.0, 140.0}) writer.float64(v);
    ASSERT_EQ(client.setDataOnSimObject(402, objectId, 0, 1, 64, record), 0);
    ASSERT_TRUE(inbox.pump(client, [&] { return inbox.all<FrameMessage>().size() >= framesBefore + 3 * step; }));
  }

  ASSERT_EQ(client.aiRemoveObject(objectId, 105), 0);
  ASSERT_EQ(client.aiRemoveObject(9999, 105), 0);
  ASSERT_TRUE(inbox.pump(client, [&] { return inbox.all<ObjectAddRemoveMessage>().size() == 2 && inbox.all<ExceptionMessage>().size() == 2; }));
  const auto removed = inbox.all<ObjectAddRemoveMessage>()[1];
  EXPECT_EQ(removed.eventId, 203u);
  EXPECT_EQ(removed.objectId, objectId);
  EXPECT_EQ(inbox.all<ExceptionMessage>()[1].exception, static_cast<uint32_t>(SimConnectException::UnrecognizedId));
  client.close();
  standin.stop();

  const std::string trace = tfx::test::readFile(folder / "trace.txt");
  const std::string id = std::to_string(objectId);
  for (const char* expected : {";47.4710000;8.5600000;1600.0;2.86;-5.73;85.94;0", ";47.4720000;8.5600000;1700.0;",
                               ";47.4730000;8.5600000;1800.0;"})
    EXPECT_NE(trace.find(id + ";" + kTitle + expected), std::string::npos) << expected;
  EXPECT_NE(trace.find(id + ";" + kTitle + ";47.4600000;8.5500000;1416.0;0.00;0.00;90.00;1"), std::string::npos);
}

}  // namespace
}  // namespace tfx::simconnect
