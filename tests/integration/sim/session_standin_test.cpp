// The "SimClient" session thread against the simulator stand-in in this
// process; the test plays the main program thread.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <thread>

#include "core/log.h"
#include "core/message_line.h"
#include "eventually.h"
#include "running_standin.h"
#include "runstate/stop_flags.h"
#include "sim/sim_ids.h"
#include "sim/sim_session.h"
#include "test_support.h"

namespace tfx::sim {
namespace {

namespace fs = std::filesystem;
using simstandin::StandinOptions;

constexpr const char* kLiveTitle = "Airbus A320 Swiss HB-JLT";
constexpr const char* kStaticTitle = "Boeing 737-800 Test Livery";
constexpr double kParkedLat = 47.4582, kParkedLon = 8.5481;

class RunningStandin : public simconnect::test::RunningStandin {
 public:
  explicit RunningStandin(const StandinOptions& options)
      : simconnect::test::RunningStandin(options, {kLiveTitle, kStaticTitle}) {}
};

struct Scratch {
  Scratch() { tfx::test::resetProgramState(); }
  StandinOptions options(const std::string& simulator = "v5") const {
    StandinOptions options;
    options.port = 0;
    options.simulator = simulator;
    options.frameRate = 50;
    options.groundElevationFeet = 1416;
    options.scenario.start = {kParkedLat, kParkedLon, 160.0, 0.0, 0.0};
    options.messageLogFile = (folder / "messages.txt").string();
    options.traceFile = (folder / "trace.txt").string();
    return options;
  }
  // The fields of every message the stand-in received, in order.
  std::vector<std::string> received() const {
    std::vector<std::string> lines;
    std::istringstream in(tfx::test::readFile(folder / "messages.txt"));
    std::string line;
    while (std::getline(in, line)) {
      const auto sendId = line.find(" sendId=");
      const auto fields = line.find(' ', sendId + 1);
      if (sendId != std::string::npos && fields != std::string::npos) lines.push_back(line.substr(fields + 1));
    }
    return lines;
  }
  bool receivedLine(const std::string& fields) const {
    const auto lines = received();
    return std::find(lines.begin(), lines.end(), fields) != lines.end();
  }
  std::string trace() const { return tfx::test::readFile(folder / "trace.txt"); }

  LogCapture log;
  tfx::test::TempDir folder;
};

// Plays the main program thread: 10 ms cycles with the periodic requests,
// the position hand-over and the notifications collected.
class MainSide {
 public:
  explicit MainSide(SimSession& session) : session_(session) {}
  ~MainSide() {
    if (!stopRequested()) requestSessionExit(ExitReason::UserClosedSim, 0);
    session_.join();
  }

  bool runUntil(const std::function<bool()>& done, const std::function<void()>& eachCycle = {}) {
    return tfx::test::eventually([&] {
      ++cycle_;
      session_.periodicRequests(cycle_, false, 10000);
      if (eachCycle) eachCycle();
      session_.exchange().publishPositions(session_.frameRate());
      std::vector<SimNotification> taken;
      session_.exchange().takeNotifications(taken);
      notifications.insert(notifications.end(), taken.begin(), taken.end());
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      return done();
    });
  }
  const SimNotification* find(NotificationKind kind, uint32_t hexid) const {
    for (const auto& n : notifications)
      if (n.kind == kind && n.hexid == hexid) return &n;
    return nullptr;
  }
  bool has(NotificationKind kind, uint32_t hexid) const { return find(kind, hexid) != nullptr; }

  std::vector<SimNotification> notifications;

 private:
  SimSession& session_;
  int32_t cycle_ = 0;
};

// Starts the session and waits, as the session start does, for a running flight.
void startAndWaitForFlight(SimSession& session, int version = 5) {
  session.prepareSession(version);
  session.start();
  ASSERT_TRUE(tfx::test::eventually([&] { return session.flightRunning() && !session.paused(); }));
}

CreateRequest createRequest(const std::string& title, const std::string& callsign, uint32_t hexid) {
  CreateRequest request;
  request.lat = kParkedLat + 0.002;
  request.lon = kParkedLon;
  request.altitude = 1416;
  request.heading = 90;
  request.onGround = 1;
  request.callsign = callsign;
  request.liveryTitle = title;
  request.hexid = hexid;
  return request;
}

TEST(SimSessionWithStandin, RegistersEveryDefinitionEventAndSubscription) {
  Scratch scratch;
  RunningStandin standin(scratch.options());
  SimSession session(standin.config());
  MainSide main(session);
  startAndWaitForFlight(session);
  EXPECT_TRUE(session.connected());
  EXPECT_EQ(session.simulatorName(), "Lockheed Martin Prepar3D v5");
  EXPECT_TRUE(scratch.log.contains("Waiting for Prepar3Dv5 ..."));

  const std::string last = "SetNotificationGroupPriority group=301 priority=1";
  ASSERT_TRUE(tfx::test::eventually([&] { return scratch.receivedLine(last); }));
  std::vector<std::string> declared;
  for (const std::string& line : scratch.received()) {
    if (line.starts_with("AddToDataDefinition") || line.starts_with("SubscribeToSystemEvent") ||
        line.starts_with("MapClientEventToSimEvent") || line.starts_with("AddClientEventToNotificationGroup") ||
        line.starts_with("SetNotificationGroupPriority"))
      declared.push_back(line);
  }
  std::vector<std::string> expected;
  auto datum = [&](int define, const std::string& name, const std::string& units, int type = 4) {
    expected.push_back(
        fmt::format("AddToDataDefinition define={} name='{}' units='{}' type={} epsilon=0 datum=4294967295", define,
                    name, units, type));
  };
  datum(401, "SPOILERS HANDLE POSITION", "percent");
  datum(401, "GENERAL ENG THROTTLE LEVER POSITION:1", "percent");
  datum(401, "GENERAL ENG THROTTLE LEVER POSITION:2", "percent");
  for (int define : {402, 403}) {
    datum(define, "Plane Latitude", "degree");
    datum(define, "Plane Longitude", "degree");
    datum(define, "Plane Pitch degrees", "radians");
    datum(define, "Plane Bank degrees", "radians");
    datum(define, "Plane Heading degrees true", "radians");
    datum(define, "Plane Altitude", "feet");
    if (define == 402) {
      datum(402, "Vertical Speed", "feet per second");
      datum(402, "Airspeed True", "knots");
    }
  }
  datum(403, "Plane Alt Above Ground", "feet");
  datum(403, "Ground Velocity", "knots");
  datum(403, "ZULU TIME", "Seconds", 2);
  datum(403, "ZULU DAY OF YEAR", "Number", 2);
  datum(403, "ZULU YEAR", "Number", 2);
  datum(403, "LIGHT STATES", "Mask", 2);
  datum(404, "Plane Alt Above Ground", "feet");
  datum(404, "Ground Altitude", "feet");
  datum(404, "SIM ON GROUND", "Bool", 2);
  datum(404, "ATC ID", "", 6);
  datum(405, "Static CG to Ground", "feet");
  datum(405, "Static Pitch", "radians");
  datum(406, "Light On States", "Mask", 2);
  datum(407, "TITLE", "", 11);
  datum(408, "ATC MODEL", "", 6);
  datum(409, "SIM ON GROUND", "Bool", 2);
  int id = 201;
  for (const char* name : {"Sim", "ObjectAdded", "ObjectRemoved", "Frame", "PositionChanged", "FlightLoaded"})
    expected.push_back(fmt::format("SubscribeToSystemEvent event={} name='{}'", id++, name));
  for (const char* name : {"BEACON_LIGHTS_SET", "NAV_LIGHTS_SET", "TAXI_LIGHTS_SET", "STROBES_SET",
                           "LANDING_LIGHTS_SET", "CABIN_LIGHTS_SET", "LOGO_LIGHTS_SET", "ALL_LIGHTS_TOGGLE",
                           "FREEZE_LATITUDE_LONGITUDE_SET", "FREEZE_ALTITUDE_SET", "FREEZE_ATTITUDE_SET", "FLAPS_SET",
                           "SPOILERS_SET", "GEAR_SET", "ENGINE_AUTO_START", "ENGINE_AUTO_SHUTDOWN", "THROTTLE_SET"})
    expected.push_back(fmt::format("MapClientEventToSimEvent event={} name='{}'", id++, name));
  for (int event : {208, 207, 211, 209, 210, 213, 212, 214, 218, 219, 220, 222, 223, 215, 216, 217})
    expected.push_back(fmt::format("AddClientEventToNotificationGroup group=301 event={} maskable=0", event));
  expected.push_back(last);
  EXPECT_EQ(declared, expected);

  requestSessionExit(ExitReason::NewSettings, 0);
  session.join();
  EXPECT_FALSE(session.threadRunning());
  EXPECT_FALSE(session.connected());
  EXPECT_TRUE(scratch.log.contains("SimConnect closed ok"));
}

TEST(SimSessionWithStandin, UserStateArrivesAndTheTickComesEverySecond) {
  Scratch scratch;
  RunningStandin standin(scratch.options());
  SimSession session(standin.config());
  MainSide main(session);
  startAndWaitForFlight(session);
  ASSERT_EQ(session.requestUserOnGroundEverySecond(), 0);
  ASSERT_TRUE(tfx::test::eventually([&] { return session.userPositionKnown(); }));
  session.copyUserState();
  const UserState user = session.userState();
  EXPECT_DOUBLE_EQ(user.lat, kParkedLat);
  EXPECT_DOUBLE_EQ(user.lon, kParkedLon);
  EXPECT_NEAR(user.heading, 160.0 * kDegToRad, 1e-9);
  EXPECT_NEAR(static_cast<double>(user.epochTime), static_cast<double>(std::time(nullptr)), 2 * 86400.0);
  EXPECT_EQ(session.userObjectId(), simstandin::World::kUserObjectId);

  // One tick per on-ground reply: taken, it comes back with the next second's reply.
  for (int tick = 0; tick < 2; ++tick) EXPECT_TRUE(tfx::test::eventually([&] { return session.takeTick(); }));
  EXPECT_TRUE(scratch.receivedLine("RequestDataOnSimObject request=108 define=409 object=0 period=4 flags=0"));
  EXPECT_EQ(session.userOnGround(), std::optional<bool>(true));

  ASSERT_EQ(session.requestUserTitleAndModel(), 0);
  ASSERT_TRUE(tfx::test::eventually([&] { return session.userAircraft().model == "B738"; }));
  EXPECT_EQ(session.userAircraft().title, "Standin Boeing 737-800");
  EXPECT_EQ(session.statusTexts().userTitle, "Standin Boeing 737-800");
  EXPECT_FALSE(stopRequested());
}

TEST(SimSessionWithStandin, CreatedAircraftAreBornMovedAndRemoved) {
  Scratch scratch;
  StandinOptions options = scratch.options();
  options.scenario.otherTraffic.push_back({4.0, kParkedLat - 0.002, kParkedLon, 1416, "OTHER1"});
  RunningStandin standin(options);
  SimSession session(standin.config());
  MainSide main(session);
  startAndWaitForFlight(session);

  session.exchange().queueCreate(createRequest(kLiveTitle, "SWR12", 0x4B1234));
  session.exchange().queueCreate(createRequest(kStaticTitle, "STATIC7", 77));
  session.exchange().queueCreate(createRequest("Not Installed", "NOPE1", 0x4B9999));
  ASSERT_TRUE(main.runUntil([&] {
    return main.has(NotificationKind::LiveCreated, 0x4B1234) && main.has(NotificationKind::StaticCreated, 77) &&
           main.has(NotificationKind::CreateFailed, 0x4B9999);
  }));
  const uint32_t live = main.find(NotificationKind::LiveCreated, 0x4B1234)->objectId;
  const uint32_t parked = main.find(NotificationKind::StaticCreated, 77)->objectId;
  EXPECT_DOUBLE_EQ(main.find(NotificationKind::LiveCreated, 0x4B1234)->valueB, 0.0);
  const std::string lastFreeze =
      fmt::format("TransmitClientEvent object={} event=217 data=1 group=301 flags=0", parked);
  ASSERT_TRUE(main.runUntil([&] { return scratch.receivedLine(lastFreeze); }));
  for (uint32_t object : {live, parked}) {
    EXPECT_TRUE(scratch.receivedLine(fmt::format("AIReleaseControl object={} request=103", object)));
    for (int event : {215, 216, 217})
      EXPECT_TRUE(scratch.receivedLine(
          fmt::format("TransmitClientEvent object={} event={} data=1 group=301 flags=0", object, event)));
  }

  // Another program's aircraft is not ours: only logged.
  ASSERT_TRUE(main.runUntil([&] { return scratch.log.contains("just spawned, but not by Aeroshadow_P3D"); }));
  EXPECT_TRUE(scratch.log.contains("callsign 'OTHER1', altaboveGnd:0 ft, onground:1, gnd_alt:1416 ft"));

  // Positions written by the main side reach the object frame after frame.
  for (double lat : {47.461, 47.463}) {
    PositionBlock block{lat, kParkedLon, 0.0, 0.0, 90.0 * kDegToRad, 1416.0, 0.0, 0.0};
    const std::string shown = fmt::format(";{};{};{:.7f};{:.7f};1416.0;", live, kLiveTitle, lat, kParkedLon);
    ASSERT_TRUE(main.runUntil([&] { return scratch.trace().find(shown) != std::string::npos; },
                              [&] { session.exchange().writePosition(live, block); }))
        << shown;
  }
  const std::string newest = fmt::format(";{};{};{:.7f};", live, kLiveTitle, 47.463);
  const size_t before = scratch.trace().size();
  PositionBlock kept{47.463, kParkedLon, 0.0, 0.0, 90.0 * kDegToRad, 1416.0, 0.0, 0.0};
  ASSERT_TRUE(main.runUntil([&] { return scratch.trace().size() > before + 2000; },
                            [&] { session.exchange().writePosition(live, kept); }));
  std::istringstream later(scratch.trace().substr(before));
  std::string line;
  int frames = 0;
  while (std::getline(later, line)) {
    if (line.find(fmt::format(";{};", live)) == std::string::npos) continue;
    EXPECT_NE(line.find(newest), std::string::npos) << line;
    ++frames;
  }
  EXPECT_GE(frames, 5);

  session.exchange().queueRemoval(live);
  ASSERT_TRUE(main.runUntil([&] {
    for (const auto& n : main.notifications)
      if (n.kind == NotificationKind::Removed && n.objectId == live) return true;
    return false;
  }));
  EXPECT_TRUE(scratch.receivedLine(fmt::format("AIRemoveObject object={} request=105", live)));
  EXPECT_FALSE(stopRequested());
}

TEST(SimSessionWithStandin, TeleportEndsTheSessionForANewFlight) {
  Scratch scratch;
  StandinOptions options = scratch.options();
  options.scenario.teleports.push_back({3.0, 51.4775, -0.4614, 270, 0});
  RunningStandin standin(options);
  SimSession session(standin.config());
  MainSide main(session);
  startAndWaitForFlight(session);
  ASSERT_TRUE(main.runUntil([] { return stopRequested(); }));
  EXPECT_EQ(exitReason(), ExitReason::NewFlight);
  EXPECT_EQ(stopFlags().restartDelaySeconds, 30);
  EXPECT_TRUE(scratch.log.contains("Teleport"));
  EXPECT_TRUE(scratch.log.contains("User ac position changed"));
  session.join();
  EXPECT_FALSE(session.threadRunning());
}

TEST(SimSessionWithStandin, OtherSimulatorsEndTheSessionWithError78) {
  for (const auto& [simulator, version, error] :
       {std::tuple{"KittyHawk", 5, "78: KittyHawk, (MSFS) not being P3D connects ... ?"},
        {"v5", 6, "78: wrong P3D version 'Lockheed Martin Prepar3D v5' connects ... ?)"}}) {
    Scratch scratch;
    messageLine().clearAll();
    RunningStandin standin(scratch.options(simulator));
    SimSession session(standin.config());
    session.prepareSession(version);
    session.start();
    session.join();
    EXPECT_EQ(exitReason(), ExitReason::SystemError) << simulator;
    EXPECT_EQ(messageLine().error(), error);
    EXPECT_FALSE(session.connected());
  }
}

TEST(SimSessionWithStandin, SimulatorQuitEndsTheSessionAsClosed) {
  Scratch scratch;
  StandinOptions options = scratch.options();
  options.scenario.quitAt = 3.0;
  RunningStandin standin(options);
  // The port comes from SimConnect.cfg in the current folder, as in the program.
  tfx::test::writeFile(scratch.folder / "SimConnect.cfg",
                       fmt::format("[SimConnect]\nProtocol=IPv4\nAddress=127.0.0.1\nPort={}\n", standin.port()));
  tfx::test::ScopedCurrentDir current(scratch.folder.path());
  SimSession session;
  MainSide main(session);
  startAndWaitForFlight(session);
  ASSERT_TRUE(tfx::test::eventually([] { return stopRequested(); }));
  EXPECT_EQ(exitReasonName(exitReason()), "SIM WAS CLOSED");
  EXPECT_EQ(stopFlags().restartDelaySeconds, 0);
  EXPECT_FALSE(session.flightRunning());
  EXPECT_TRUE(scratch.log.contains("Flight Simulator no longer connected, Aeroshadow_P3D will stop ..."));
  session.join();
  EXPECT_TRUE(scratch.log.contains("SimConnect closed ok"));
}

}  // namespace
}  // namespace tfx::sim
