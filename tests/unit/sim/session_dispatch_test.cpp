// The session's handling of every simulator message, fed by hand.
#include <gtest/gtest.h>

#include "core/log.h"
#include "core/message_line.h"
#include "fake_sim_ops.h"
#include "runstate/stop_flags.h"
#include "runstate/user_error.h"
#include "sim/session_dispatcher.h"
#include "sim/sim_ids.h"
#include "test_support.h"

namespace tfx::sim {
namespace {

namespace sc = simconnect;
using test::DataMessage;
using test::objectData;

class RecordingStands final : public UserStandLookup {
 public:
  UserStand standAt(const LatLon& position) const override {
    ++lookups;
    return position.lat > 47.0 ? UserStand{12, "B34"} : UserStand{};
  }
  mutable int lookups = 0;
};

class RecordingParking final : public StaticParkingRecompute {
 public:
  uint32_t recordedUserStand() const override { return recorded; }
  void userStandChanged(const UserStand& stand) override {
    recorded = stand.index;
    ++recomputed;
  }
  uint32_t recorded = 0;
  int recomputed = 0;
};

struct Rig {
  Rig() {
    tfx::test::resetProgramState();
    messageLine().clearAll();
  }

  void operator()(const sc::ServerMessage& message) { dispatch(message); }

  std::vector<SimNotification> notifications() {
    std::vector<SimNotification> taken;
    exchange.takeNotifications(taken);
    return taken;
  }

  void userState(uint32_t objectId, double lat, double lon, double aboveGround = 0, double groundSpeed = 0) {
    DataMessage m = objectData(kReqUserState, objectId);
    sc::DatumWriter w(m.data);
    for (double v : {lat, lon, 0.01, 0.0, 1.0, 1500.0, aboveGround, groundSpeed}) w.float64(v);
    for (int64_t v : {3600, 60, 2024, 3}) w.int64(v);
    dispatch(m);
  }

  void onGround(bool value) {
    DataMessage m = objectData(kReqUserOnGround, 1);
    sc::DatumWriter(m.data).int64(value ? 1 : 0);
    dispatch(m);
  }

  void aircraftAround(uint32_t objectId, double aboveGround, double groundAltitude, int64_t onGround,
                      const std::string& atcId) {
    DataMessage m = objectData(kReqAircraftAround, objectId, true);
    sc::DatumWriter w(m.data);
    w.float64(aboveGround);
    w.float64(groundAltitude);
    w.int64(onGround);
    w.fixedString(atcId, 32);
    dispatch(m);
  }

  void added(uint32_t objectId, sc::SimObjectType type = sc::SimObjectType::Aircraft) {
    dispatch(sc::ObjectAddRemoveMessage{sc::kUnknownGroup, kEvObjectAdded, objectId, type, 0});
  }

  void pending(uint32_t packetId, uint32_t hexid, const std::string& callsign) {
    std::lock_guard lock(exchange.positionMutex());
    exchange.pendingCreations.push_back({packetId, hexid, callsign});
  }

  LogCapture log;
  test::FakeSimOps ops;
  SessionValues values;
  ExchangeLists exchange;
  RecordingStands stands;
  RecordingParking parking;
  SessionCore core{ops, values, exchange, {&stands, &parking}};
  SessionDispatcher dispatch{core};
};

sc::OpenMessage openFrom(const std::string& name) {
  sc::OpenMessage open;
  open.applicationName = name;
  open.applicationVersionMajor = 5;
  open.applicationVersionMinor = 3;
  open.applicationBuildMajor = 17;
  open.applicationBuildMinor = 28160;
  return open;
}

std::string userErrorOf(Rig& rig, const sc::ServerMessage& message) {
  try {
    rig(message);
  } catch (const UserErrorException& error) {
    return error.what();
  }
  return "";
}

TEST(SessionDispatch, OpenAcceptsOnlyTheExpectedPrepar3d) {
  Rig rig;
  rig(openFrom("Lockheed Martin\xAE Prepar3D\xAE v5"));
  EXPECT_TRUE(rig.values.connected);
  EXPECT_EQ(rig.values.simulatorName(), "Lockheed Martin Prepar3D v5");
  EXPECT_EQ(rig.values.statusTexts().simulator, "Lockheed Martin Prepar3D v5");
  EXPECT_TRUE(rig.log.contains("Lockheed Martin Prepar3D v5 (5.3.17.28160)"));
  EXPECT_TRUE(rig.log.contains("Lockheed Martin Prepar3D v5 connected"));

  Rig msfs;
  EXPECT_EQ(userErrorOf(msfs, openFrom("KittyHawk")), "78: KittyHawk, (MSFS) not being P3D connects ... ?");
  EXPECT_EQ(userErrorOf(msfs, openFrom("SunRise")), "78: SunRise, (MSFS) not being P3D connects ... ?");
  EXPECT_FALSE(msfs.values.connected);

  Rig v6;
  EXPECT_EQ(userErrorOf(v6, openFrom("Lockheed Martin\xAE Prepar3D\xAE v6")),
            "78: wrong P3D version 'Lockheed Martin Prepar3D v6' connects ... ?)");
  v6.values.expectedMajorVersion = 6;
  EXPECT_EQ(userErrorOf(v6, openFrom("Lockheed Martin\xAE Prepar3D\xAE v6")), "");

  Rig empty;
  EXPECT_EQ(userErrorOf(empty, openFrom("\xAE")), "78: wrong P3D version '' connects ... ?)");
  EXPECT_TRUE(empty.log.contains("! Simulator name empty?"));

  EXPECT_EQ(userErrorOf(rig, sc::ExceptionMessage{5, 1, 7}), "95: SimConnect Version Mismatch, dwIndex: 7");
}

TEST(SessionDispatch, ExceptionsAreLoggedOrAnsweredByNumber) {
  Rig rig;
  rig(sc::ExceptionMessage{3, 9, 1});
  EXPECT_FALSE(rig.log.contains("UNRECOGNIZED_ID")) << "no user position yet";
  rig.userState(1, 47.3, 8.5);
  rig(sc::ExceptionMessage{3, 9, 1});
  EXPECT_EQ(rig.log.count("===> SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID"), 1u);
  rig(sc::ExceptionMessage{19, 9, 1});
  rig(sc::ExceptionMessage{23, 9, 1});
  rig(sc::ExceptionMessage{24, 9, 1});
  rig(sc::ExceptionMessage{31, 9, 1});
  EXPECT_TRUE(rig.log.contains("SIMCONNECT_EXCEPTION_INVALID_DATA_SIZE"));
  EXPECT_TRUE(rig.log.contains("SimConnect exception: load flight plan failed"));
  EXPECT_TRUE(rig.log.contains("SIMCONNECT_EXCEPTION_OPERATION_INVALID_FOR_OBJECT_TYPE"));
  EXPECT_TRUE(rig.log.contains("SIMCONNECT_EXCEPTION #31"));
  rig(sc::ExceptionMessage{11, 9, 1});
  EXPECT_EQ(rig.values.statusTexts().notice, "SimConnect: too many objects (max 1000)");

  requestSessionExit(ExitReason::NewSettings, 0);
  rig(sc::ExceptionMessage{3, 9, 1});
  EXPECT_EQ(rig.log.count("SIMCONNECT_EXCEPTION_UNRECOGNIZED_ID"), 1u) << "quiet while the session ends";

  // A refused creation is found by the packet id of its create call.
  rig.pending(41, 4000001, "SWR12");
  rig.pending(42, 4000002, "SWR13");
  rig.pending(43, 0, "NOHEX");
  rig(sc::ExceptionMessage{22, 42, 1});
  rig(sc::ExceptionMessage{22, 43, 1});
  rig(sc::ExceptionMessage{22, 99, 1});
  const auto posted = rig.notifications();
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].kind, NotificationKind::CreateFailed);
  EXPECT_EQ(posted[0].hexid, 4000002u);
  ASSERT_EQ(rig.exchange.pendingCreations.size(), 1u);
  EXPECT_EQ(rig.exchange.pendingCreations[0].callsign, "SWR12");
}

TEST(SessionDispatch, SystemEventsDriveTheFlagsAndTheSessionEnd) {
  Rig rig;
  rig(sc::EventMessage{sc::kUnknownGroup, kEvSim, 1, 0});
  EXPECT_TRUE(rig.values.flightRunning);
  rig(sc::EventMessage{sc::kUnknownGroup, kEvSim, 0, 0});
  EXPECT_FALSE(rig.values.flightRunning);
  rig(sc::EventMessage{sc::kUnknownGroup, kEvPositionChanged, 0, 0});
  EXPECT_TRUE(rig.log.contains("User ac position changed"));
  rig(sc::EventMessage{kEventGroup, kEvFlaps, 3072, 0});
  rig(sc::AssignedObjectIdMessage{104, 100});
  rig(sc::OtherMessage{16, 40});
  rig(sc::OtherMessage{15, 284});
  EXPECT_EQ(rig.log.count("Unknown Dispatch"), 1u);
  EXPECT_TRUE(rig.log.contains("! Unknown Dispatch dwID 15"));
  EXPECT_FALSE(stopRequested());

  rig(sc::EventMessage{sc::kUnknownGroup, kEvFlightLoaded, 0, 0});
  EXPECT_TRUE(rig.log.contains("SimConnect: flight loaded event"));
  EXPECT_EQ(exitReason(), ExitReason::NewFlight);
  EXPECT_EQ(stopFlags().restartDelaySeconds, 30);

  Rig file;
  file(sc::FileNameMessage{sc::kUnknownGroup, kEvFlightLoaded, 0, "next.fxml", 0});
  EXPECT_TRUE(file.log.contains("SimConnect: New file event"));
  EXPECT_EQ(exitReason(), ExitReason::NewFlight);

  Rig quit;
  quit(sc::EventMessage{sc::kUnknownGroup, kEvSim, 1, 0});
  quit(sc::QuitMessage{});
  EXPECT_FALSE(quit.values.flightRunning);
  EXPECT_TRUE(quit.log.contains("Flight Simulator no longer connected, Aeroshadow_P3D will stop ..."));
  EXPECT_EQ(exitReason(), ExitReason::SimWasClosed);
  EXPECT_EQ(stopFlags().restartDelaySeconds, 0);
}

TEST(SessionDispatch, NewFlightRechecksTheUserStandOnlyWhenStandingStill) {
  Rig rig;
  rig.userState(1, 47.3, 8.5, 0, 1.5);
  rig.onGround(true);
  rig(sc::FileNameMessage{});
  EXPECT_EQ(rig.parking.recomputed, 1);
  EXPECT_EQ(rig.parking.recorded, 12u);
  rig(sc::FileNameMessage{});
  EXPECT_EQ(rig.parking.recomputed, 1) << "same stand";

  rig.userState(1, 47.3, 8.5, 0, 2.5);
  rig.parking.recorded = 0;
  rig(sc::FileNameMessage{});
  EXPECT_EQ(rig.parking.recomputed, 1) << "still rolling";
  rig.userState(1, 47.3, 8.5, 30, 0);
  rig.onGround(false);
  rig(sc::FileNameMessage{});
  EXPECT_EQ(rig.parking.recomputed, 1) << "airborne";
}

TEST(SessionDispatch, ObjectsAddedAboveTheUserAreBornFromPendingCreations) {
  Rig rig;
  rig.userState(1, 47.3, 8.5);
  rig.pending(41, 0x4B1234, "SWR12");
  rig.pending(42, 77, "STATIC7");
  rig.added(1);
  rig.added(100);
  rig.added(101);
  rig.added(102);
  rig.added(103, sc::SimObjectType::Boat);
  EXPECT_EQ(rig.exchange.justAddedObjects, (std::vector<uint32_t>{100, 101, 102}));

  rig.aircraftAround(100, 3.5, 1416, 1, "SWR12");
  rig.aircraftAround(101, 0, 1416, 1, "STATIC7");
  rig.aircraftAround(102, 0, 1416, 1, "HBXYZ");
  EXPECT_EQ(rig.ops.take(), (std::vector<std::string>{"release 100 103", "release 101 103"}));
  const std::vector<uint32_t> frozen = {215, 216, 217, 215, 216, 217};
  ASSERT_EQ(rig.exchange.events.size(), 6u);
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(rig.exchange.events[i].objectId, i < 3 ? 100u : 101u);
    EXPECT_EQ(rig.exchange.events[i].eventId, frozen[i]);
    EXPECT_EQ(rig.exchange.events[i].data, 1u);
  }
  const auto posted = rig.notifications();
  ASSERT_EQ(posted.size(), 2u);
  EXPECT_EQ(posted[0].kind, NotificationKind::LiveCreated);
  EXPECT_EQ(posted[0].objectId, 100u);
  EXPECT_EQ(posted[0].hexid, 0x4B1234u);
  EXPECT_DOUBLE_EQ(posted[0].valueB, 3.5);
  EXPECT_EQ(posted[1].kind, NotificationKind::StaticCreated);
  EXPECT_EQ(posted[1].hexid, 77u);
  EXPECT_TRUE(
      rig.log.contains("just spawned, but not by Aeroshadow_P3D, oid: 102, callsign 'HBXYZ', "
                       "altaboveGnd:0 ft, onground:1, gnd_alt:1416 ft"));
  EXPECT_TRUE(rig.exchange.pendingCreations.empty());
  EXPECT_TRUE(rig.exchange.justAddedObjects.empty());

  // Known objects report their ground data, unless high up or without a usable ATC ID.
  rig.aircraftAround(100, 12, 1416, 0, "SWR12");
  rig.aircraftAround(101, 2501, 1416, 0, "STATIC7");
  rig.aircraftAround(102, 0, 1416, 1, "");
  rig.aircraftAround(102, 0, 1416, 1, "HBXYZ*");
  rig.aircraftAround(1, 0, 1416, 1, "USER");
  const auto ground = rig.notifications();
  ASSERT_EQ(ground.size(), 1u);
  EXPECT_EQ(ground[0].kind, NotificationKind::GroundData);
  EXPECT_EQ(ground[0].objectId, 100u);
  EXPECT_EQ(ground[0].hexid, 0u);
  EXPECT_DOUBLE_EQ(ground[0].valueA, 1416);
  EXPECT_DOUBLE_EQ(ground[0].valueB, 12);

  rig(sc::ObjectAddRemoveMessage{sc::kUnknownGroup, kEvObjectRemoved, 100, sc::SimObjectType::Aircraft, 0});
  const auto removed = rig.notifications();
  ASSERT_EQ(removed.size(), 1u);
  EXPECT_EQ(removed[0].kind, NotificationKind::Removed);
  EXPECT_EQ(removed[0].objectId, 100u);
}

TEST(SessionDispatch, UserStateTeleportStandAndTick) {
  Rig rig;
  rig.onGround(true);
  EXPECT_FALSE(rig.values.userOnGround().has_value()) << "no position yet";
  EXPECT_TRUE(rig.values.tick.exchange(false));

  rig.userState(7, 47.3, 8.5, -3);
  const UserState state = rig.values.received();
  EXPECT_DOUBLE_EQ(state.lat, 47.3);
  EXPECT_DOUBLE_EQ(state.altitudeAboveGround, 0) << "clamped";
  EXPECT_EQ(state.zuluYear, 2024);
  EXPECT_EQ(state.lightStates, 3);
  EXPECT_EQ(state.epochTime, 1709164800 + 3600);
  EXPECT_EQ(rig.values.userObjectId, 7u);
  EXPECT_EQ(rig.values.snapshot().lat, 0) << "copied by the main thread only";
  EXPECT_EQ(rig.stands.lookups, 0) << "on the ground is not known yet";

  rig.onGround(true);
  EXPECT_EQ(rig.values.userOnGround(), std::optional<bool>(true));
  rig.userState(7, 47.3, 8.5);
  EXPECT_EQ(rig.values.statusTexts().userStand, "B34");
  rig.userState(7, 47.3 + 9.9 / 60, 8.5);
  EXPECT_FALSE(stopRequested());
  rig.userState(7, 47.3 + 30.0 / 60, 8.5);
  EXPECT_TRUE(rig.log.contains("Teleport"));
  EXPECT_EQ(exitReason(), ExitReason::NewFlight);
  EXPECT_EQ(stopFlags().restartDelaySeconds, 30);
}

TEST(SessionDispatch, UserTitleModelWingspanShapeAndFrameRate) {
  Rig rig;
  auto title = [&](const std::string& text) {
    DataMessage m = objectData(kReqUserTitle, 1);
    sc::DatumWriter(m.data).variableString(text);
    rig(m);
  };
  auto model = [&](const std::string& text) {
    DataMessage m = objectData(kReqUserModel, 1);
    sc::DatumWriter(m.data).fixedString(text, 32);
    rig(m);
  };
  const std::string longTitle = "Aerosoft A320 IAE Swiss International Air Lines HB-IJM (winglets, 2024 livery)";
  title(longTitle);
  title(longTitle);
  EXPECT_EQ(rig.log.count("SimConnect: User aircraft title: " + longTitle), 1u);
  EXPECT_EQ(rig.values.statusTexts().userTitle, longTitle.substr(0, 48));

  model("");
  EXPECT_TRUE(rig.log.contains("model raw: "));
  EXPECT_EQ(messageLine().message(),
            "User aircraft wing span unknown, max is taken instead, please report in my Forum!");
  EXPECT_TRUE(rig.log.contains("atc_model= in [General] section of your aircraft.cfg is empty or missing"));
  EXPECT_TRUE(rig.log.contains("SimConnect: User aircraft model deduced from title: A320, half wing span: "));
  EXPECT_EQ(rig.values.userAircraft().model, "A320");

  title("Prepar3D camerapod");
  model("");
  EXPECT_TRUE(rig.log.contains("SimConnect: User aircraft model deduced from title: , half wing span: 0.0 meter"));
  EXPECT_EQ(rig.values.userAircraft().halfWingspanNm, 0);

  model("B738");
  EXPECT_TRUE(rig.log.contains("SimConnect: User aircraft model: B738, half wing span: "));

  DataMessage shape = objectData(kReqObjectShape, 100);
  sc::DatumWriter w(shape.data);
  w.float64(6.5);
  w.float64(0.01);
  rig(shape);
  const auto posted = rig.notifications();
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].kind, NotificationKind::Shape);
  EXPECT_EQ(posted[0].objectId, 100u);
  EXPECT_DOUBLE_EQ(posted[0].valueA, 6.5);
  EXPECT_DOUBLE_EQ(posted[0].valueB, 0.01);

  for (int frame = 1; frame <= 29; ++frame) rig(sc::FrameMessage{sc::kUnknownGroup, kEvFrame, 0, 60.0f, 1.0f, 0});
  EXPECT_EQ(rig.values.frameRate, 0);
  rig(sc::FrameMessage{sc::kUnknownGroup, kEvFrame, 0, 60.0f, 1.0f, 0});
  EXPECT_EQ(rig.values.frameRate, 60);
}

}  // namespace
}  // namespace tfx::sim
