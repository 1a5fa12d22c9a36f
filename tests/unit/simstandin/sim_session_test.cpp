// The stand-in's protocol logic driven message by message, without sockets.
#include "sim_session.h"

#include <gtest/gtest.h>

#include "sim/simconnect/object_data.h"
#include "test_support.h"

namespace tfx::simstandin {
namespace {

namespace sc = simconnect;

class Session {
 public:
  explicit Session(double elevation = 500)
      : world(elevation, {"Airbus A320 Swiss"}), trace("", ""), session(world, simulatorIdentity("v5"), trace) {
    world.user().latitude = 47.0;
    world.user().longitude = 8.0;
    world.user().altitudeFeet = elevation;
  }

  // Sends one request with the next send id and returns the decoded replies.
  std::vector<sc::ServerMessage> send(const sc::ClientRequest& request, uint32_t protocol = sc::kP3dProtocol) {
    lastSendId = ++sendId;
    Replies out;
    session.handle(sc::encodeClientMessage(request, protocol, sendId), 1.0, out);
    return decode(out);
  }
  std::vector<sc::ServerMessage> frame(double seconds) {
    Replies out;
    session.frame(seconds, 30, false, out);
    return decode(out);
  }
  std::vector<sc::ServerMessage> decode(const Replies& out) {
    raw = out;
    std::vector<sc::ServerMessage> messages;
    for (const auto& bytes : raw) messages.push_back(sc::decodeServerMessage(bytes));
    return messages;
  }
  void open() { ASSERT_TRUE(std::holds_alternative<sc::OpenMessage>(send(sc::OpenRequest{"test"}).at(0))); }
  uint32_t create(double latitude, double longitude, double altitude, const std::string& tail) {
    const auto replies = send(sc::AICreateNonAtcAircraftRequest{
        "airbus a320 swiss", tail, {latitude, longitude, altitude, 0, 0, 90, 1, 0}, 104});
    return std::get<sc::AssignedObjectIdMessage>(replies.at(0)).objectId;
  }

  World world;
  Trace trace;
  SimSession session;
  Replies raw;
  uint32_t sendId = 0;
  uint32_t lastSendId = 0;
};

uint32_t exceptionOf(const std::vector<sc::ServerMessage>& replies) {
  return std::get<sc::ExceptionMessage>(replies.at(0)).exception;
}

TEST(StandinSession, AcceptsOurOpenAndFsxSp2AndRefusesAnyOtherWithItsSendId) {
  Session ours;
  ours.open();
  EXPECT_EQ(sc::readServerHeader(ours.raw.at(0)).version, 35u);

  Session fsx;
  const auto replies = fsx.send(sc::OpenRequest{"node", 0, sc::kFsxOpenTag, {10, 0, 61259, 0}}, 4);
  const auto open = std::get<sc::OpenMessage>(replies.at(0));
  EXPECT_EQ(open.applicationName, "Lockheed Martin\xAE Prepar3D\xAE v5");
  EXPECT_EQ(sc::readServerHeader(fsx.raw.at(0)).version, 4u);

  for (auto [protocol, tag, major] : {std::tuple{36u, sc::kP3dOpenTag, 5u}, {35u, sc::kFsxOpenTag, 5u},
                                      {35u, sc::kP3dOpenTag, 6u}, {4u, sc::kFsxOpenTag, 11u}}) {
    Session refused;
    refused.send(sc::MapClientEventRequest{1, "X"});
    EXPECT_EQ(exceptionOf(refused.decode(refused.raw)), static_cast<uint32_t>(sc::SimConnectException::Unopened));
    const auto answer = refused.send(sc::OpenRequest{"x", 0, tag, {major, 0, 0, 0}}, protocol);
    const auto exception = std::get<sc::ExceptionMessage>(answer.at(0));
    EXPECT_EQ(exception.exception, static_cast<uint32_t>(sc::SimConnectException::VersionMismatch));
    EXPECT_EQ(exception.sendId, refused.lastSendId);
    EXPECT_FALSE(refused.session.opened());
  }
}

TEST(StandinSession, ByTypeRequestsListTheUserAndTheAircraftWithinTheRadius) {
  Session s;
  s.open();
  s.send(sc::AddToDataDefinitionRequest{404, "Plane Alt Above Ground", "feet", sc::DataType::Float64});
  s.send(sc::AddToDataDefinitionRequest{404, "SIM ON GROUND", "Bool", sc::DataType::Int64});
  s.send(sc::AddToDataDefinitionRequest{404, "ATC ID", "", sc::DataType::String32});
  const uint32_t near = s.create(47.01, 8.0, 500.5, "NEAR1");   // 1.1 km, within the ground margin
  const uint32_t far = s.create(47.2, 8.0, 3500, "FAR1");       // 22 km, airborne
  const auto replies = s.send(sc::RequestDataByTypeRequest{101, 404, 5000, sc::SimObjectType::Aircraft});
  ASSERT_EQ(replies.size(), 2u);
  const auto user = std::get<sc::SimObjectDataMessage>(replies[0]);
  EXPECT_EQ(user.objectId, World::kUserObjectId);
  EXPECT_EQ(user.entryNumber, 1u);
  const auto ai = std::get<sc::SimObjectDataMessage>(replies[1]);
  EXPECT_EQ(ai.objectId, near);
  EXPECT_EQ(ai.entryNumber, 2u);
  EXPECT_EQ(ai.outOf, 2u);
  sc::DatumReader data(ai.data);
  EXPECT_DOUBLE_EQ(data.float64(), 0.5);
  EXPECT_EQ(data.int64(), 1);
  EXPECT_EQ(data.fixedString(32), "NEAR1");

  const auto wide = s.send(sc::RequestDataByTypeRequest{101, 404, 50000, sc::SimObjectType::Aircraft});
  ASSERT_EQ(wide.size(), 3u);
  sc::DatumReader farData(std::get<sc::SimObjectDataMessage>(wide[2]).data);
  EXPECT_DOUBLE_EQ(farData.float64(), 3000.0);
  EXPECT_EQ(farData.int64(), 0);
  EXPECT_EQ(std::get<sc::SimObjectDataMessage>(wide[2]).objectId, far);

  EXPECT_EQ(s.send(sc::RequestDataByTypeRequest{101, 404, 0, sc::SimObjectType::Aircraft}).size(), 1u);
  EXPECT_EQ(exceptionOf(s.send(sc::RequestDataByTypeRequest{101, 404, 200001, sc::SimObjectType::Aircraft})),
            static_cast<uint32_t>(sc::SimConnectException::OutOfBounds));
  EXPECT_EQ(exceptionOf(s.send(sc::RequestDataByTypeRequest{101, 999, 5000, sc::SimObjectType::Aircraft})),
            static_cast<uint32_t>(sc::SimConnectException::UnrecognizedId));
}

TEST(StandinSession, DataFollowTheDefinitionsTypesAndUnits) {
  Session s;
  s.open();
  s.world.user().pitch = 0.1;
  s.world.user().title = "Standin Boeing 737-800";
  s.send(sc::AddToDataDefinitionRequest{7, "TITLE", "", sc::DataType::StringV});
  s.send(sc::AddToDataDefinitionRequest{7, "Plane Pitch degrees", "degrees", sc::DataType::Float64});
  s.send(sc::AddToDataDefinitionRequest{7, "Plane Pitch degrees", "radians", sc::DataType::Float32});
  s.send(sc::AddToDataDefinitionRequest{7, "Plane Altitude", "meters", sc::DataType::Int32});
  s.send(sc::AddToDataDefinitionRequest{7, "NO SUCH VARIABLE", "feet", sc::DataType::Float64});
  const auto reply = std::get<sc::SimObjectDataMessage>(s.send(sc::RequestDataRequest{9, 7, 0, sc::Period::Once}).at(0));
  EXPECT_EQ(reply.defineCount, 5u);
  sc::DatumReader data(reply.data);
  EXPECT_EQ(data.variableString(), "Standin Boeing 737-800");
  EXPECT_NEAR(data.float64(), 5.729577951, 1e-6);
  EXPECT_NEAR(data.float32(), 0.1f, 1e-7);
  EXPECT_EQ(data.int32(), 152);
  EXPECT_EQ(data.float64(), 0.0);
  EXPECT_TRUE(data.ok());
  EXPECT_EQ(data.offset(), reply.data.size());
}

TEST(StandinSession, PeriodicRequestsRunUntilReplacedOrTheirObjectGoes) {
  Session s;
  s.open();
  s.send(sc::AddToDataDefinitionRequest{409, "SIM ON GROUND", "Bool", sc::DataType::Int64});
  const uint32_t ai = s.create(47.0, 8.0, 500, "AI1");
  EXPECT_EQ(s.send(sc::RequestDataRequest{108, 409, 0, sc::Period::Second}).size(), 1u);
  EXPECT_EQ(s.send(sc::RequestDataRequest{102, 409, ai, sc::Period::VisualFrame}).size(), 0u);
  EXPECT_EQ(s.frame(1.5).size(), 1u);   // the frame request only
  EXPECT_EQ(s.frame(2.0).size(), 2u);   // and the second
  EXPECT_EQ(s.frame(2.5).size(), 1u);
  s.send(sc::RequestDataRequest{108, 409, 0, sc::Period::Never});
  s.send(sc::AIRemoveObjectRequest{ai, 105});
  EXPECT_EQ(s.frame(3.0).size(), 0u);
}

TEST(StandinSession, SetDataEventsAndAiOperationsChangeTheObject) {
  Session s;
  s.open();
  const char* names[] = {"Plane Latitude",   "Plane Longitude", "Plane Pitch degrees", "Plane Bank degrees",
                         "Plane Heading degrees true", "Plane Altitude", "Vertical Speed", "Airspeed True"};
  const char* units[] = {"degree", "degree", "radians", "radians", "radians", "feet", "feet per second", "knots"};
  for (int i = 0; i < 8; ++i) s.send(sc::AddToDataDefinitionRequest{402, names[i], units[i], sc::DataType::Float64});
  const uint32_t ai = s.create(47.0, 8.0, 500, "AI1");
  sc::Bytes record;
  sc::DatumWriter writer(record);
  for (double v : {47.1, 8.2, 0.05, -0.1, 3.0, 2500.0, -10.0, 150.0}) writer.float64(v);
  EXPECT_TRUE(s.send(sc::SetDataRequest{402, ai, 0, 1, 64, record}).empty());
  const SimObject& object = *s.world.find(ai);
  EXPECT_EQ(object.latitude, 47.1);
  EXPECT_EQ(object.heading, 3.0);
  EXPECT_EQ(object.altitudeFeet, 2500.0);
  EXPECT_EQ(object.trueAirspeedKnots, 150.0);
  record.pop_back();
  EXPECT_EQ(exceptionOf(s.send(sc::SetDataRequest{402, ai, 0, 1, 63, record})),
            static_cast<uint32_t>(sc::SimConnectException::InvalidDataSize));

  EXPECT_EQ(exceptionOf(s.send(sc::TransmitClientEventRequest{ai, 215, 1, 301, 0})),
            static_cast<uint32_t>(sc::SimConnectException::UnrecognizedId));
  s.send(sc::MapClientEventRequest{215, "FREEZE_LATITUDE_LONGITUDE_SET"});
  s.send(sc::MapClientEventRequest{208, "NAV_LIGHTS_SET"});
  s.send(sc::AddClientEventToGroupRequest{301, 208, 0});
  EXPECT_TRUE(s.send(sc::TransmitClientEventRequest{ai, 215, 1, 301, 0}).empty());
  EXPECT_TRUE(object.frozenPosition);
  // Events of a notification group come back to the client in the longer form.
  const auto notified = s.send(sc::TransmitClientEventRequest{ai, 208, 1, 301, 0});
  EXPECT_EQ(std::get<sc::EventMessage>(notified.at(0)).groupId, 301u);
  EXPECT_EQ(s.raw.at(0).size(), 28u);
  EXPECT_EQ(object.lightStates, 1u);

  EXPECT_TRUE(s.send(sc::AIReleaseControlRequest{ai, 103}).empty());
  EXPECT_TRUE(object.aiReleased);
  EXPECT_EQ(exceptionOf(s.send(sc::AIReleaseControlRequest{World::kUserObjectId, 103})),
            static_cast<uint32_t>(sc::SimConnectException::OperationInvalidForObjectType));
  EXPECT_EQ(exceptionOf(s.send(sc::AISetFlightPlanRequest{ai, "orig_dest\\missing", 110})),
            static_cast<uint32_t>(sc::SimConnectException::LoadFlightplanFailed));
  tfx::test::TempDir folder;
  tfx::test::writeFile(folder / "4CA1B2.pln", "<SimBase.Document/>");
  EXPECT_TRUE(s.send(sc::AISetFlightPlanRequest{ai, (folder / "4CA1B2").string(), 110}).empty());

  // The client's objects leave with it.
  s.session.end();
  EXPECT_EQ(s.world.find(ai), nullptr);
  EXPECT_NE(s.world.find(World::kUserObjectId), nullptr);
}

TEST(StandinSession, SubscribersHearOfObjectsScenarioEventsAndTheQuit) {
  Session s;
  s.open();
  const auto sim = s.send(sc::SubscribeToSystemEventRequest{201, "Sim"});
  EXPECT_EQ(std::get<sc::EventMessage>(sim.at(0)).data, 1u);
  s.send(sc::SubscribeToSystemEventRequest{202, "ObjectAdded"});
  s.send(sc::SubscribeToSystemEventRequest{203, "ObjectRemoved"});
  s.send(sc::SubscribeToSystemEventRequest{205, "PositionChanged"});
  s.send(sc::SubscribeToSystemEventRequest{206, "FlightLoaded"});
  EXPECT_EQ(exceptionOf(s.send(sc::SubscribeToSystemEventRequest{299, "NoSuchEvent"})),
            static_cast<uint32_t>(sc::SimConnectException::NameUnrecognized));

  const auto created = s.send(sc::AICreateNonAtcAircraftRequest{"Airbus A320 Swiss", "AI1", {}, 104});
  ASSERT_EQ(created.size(), 2u);
  const auto added = std::get<sc::ObjectAddRemoveMessage>(created[1]);
  EXPECT_EQ(added.eventId, 202u);
  EXPECT_EQ(s.raw[1].size(), 32u);
  const auto refused = s.send(sc::AICreateNonAtcAircraftRequest{"Unknown", "AI2", {}, 104});
  EXPECT_EQ(std::get<sc::ExceptionMessage>(refused.at(0)).sendId, s.lastSendId);
  const auto removed = s.send(sc::AIRemoveObjectRequest{added.objectId, 105});
  EXPECT_EQ(std::get<sc::ObjectAddRemoveMessage>(removed.at(0)).eventId, 203u);
  EXPECT_EQ(exceptionOf(s.send(sc::AIRemoveObjectRequest{added.objectId, 105})),
            static_cast<uint32_t>(sc::SimConnectException::UnrecognizedId));

  Replies out;
  ScenarioEvents events;
  events.teleported = true;
  events.flightsLoaded = {"C:\\flights\\next.fxml"};
  events.otherTrafficAdded = {500};
  s.session.announce(events, out);
  s.session.quit(out);
  const auto messages = s.decode(out);
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(std::get<sc::EventMessage>(messages[0]).eventId, 205u);
  EXPECT_EQ(std::get<sc::ObjectAddRemoveMessage>(messages[1]).objectId, 500u);
  EXPECT_EQ(std::get<sc::FileNameMessage>(messages[2]).fileName, "C:\\flights\\next.fxml");
  EXPECT_TRUE(std::holds_alternative<sc::QuitMessage>(messages[3]));
}

}  // namespace
}  // namespace tfx::simstandin
