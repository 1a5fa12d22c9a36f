// The main loop's cycle and tick work, driven cycle by cycle with a simulator
// that does what each test says.
#include "app/main_loop.h"

#include <gtest/gtest.h>

#include "app/session_traffic.h"
#include "core/log.h"
#include "realtraffic/feed_state.h"
#include "realtraffic/realtraffic_status.h"
#include "runstate/cycle_clock.h"
#include "runstate/stop_flags.h"
#include "test_support.h"

namespace tfx::app {
namespace {

class ScriptedSimulator final : public SimulatorLink {
 public:
  bool flightRunning() const override { return running; }
  bool paused() const override { return pausedFlag; }
  bool tickPending() const override { return tick; }
  bool takeTick() override { return std::exchange(tick, false); }
  bool userPositionKnown() const override { return true; }
  UserPosition userPosition() const override { return user; }
  UserGround userGround() const override { return ground; }
  double userHalfWingspanNm() const override { return 0.01; }
  int64_t simTime() const override { return 1'700'000'000; }
  void periodicRequests(int32_t cycle, bool, double radius) override {
    lastRequestCycle = cycle;
    lastRadius = radius;
  }
  void discardOutgoing() override { ++discards; }
  sim::ExchangeLists& exchange() override { return lists; }
  double frameRate() const override { return 30.0; }
  void requestObjectShape(uint32_t) override {}
  void allLightsToggle(uint32_t) override {}
  int32_t assignFlightPlan(uint32_t, std::string_view) override { return 0; }
  void writeAiControls(uint32_t, double, double) override {}

  bool running = true;
  bool pausedFlag = false;
  bool tick = false;
  UserPosition user{0, 0, 0, 1416, 0, 47.4621, 8.5509};
  UserGround ground{0, true};
  int32_t lastRequestCycle = 0;
  double lastRadius = 0;
  int discards = 0;
  sim::ExchangeLists lists;
};

class MainLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::resetProgramState();
    cycleNumber() = 0;
    realTrafficStatus().connected = true;
  }
  void TearDown() override {
    realTrafficStatus().connected = false;
    test::resetProgramState();
    cycleNumber() = 0;
  }
  // Runs cycles until the given number of ticks has passed.
  void runTicks(int ticks) {
    for (int tick = 0; tick < ticks; ++tick) {
      for (int cycle = 0; cycle < 99; ++cycle) ASSERT_TRUE(loop_.cycleStep());
      simulator_.tick = true;
      ASSERT_TRUE(loop_.cycleStep());
    }
  }

  ScriptedSimulator simulator_;
  TrafficQueue queue_;
  WeatherReader weather_{0, true};
  TrafficReader traffic_{queue_, 0, true};
  ControlChannel channel_{{weather_, traffic_}};
  LiveryCatalogue liveries_{aircraftDatabase()};
  flightplan::FlightPlanList flightPlans_;
  SessionTraffic liveTraffic_{simulator_, queue_, {liveries_, flightPlans_}};
  MainLoop loop_{simulator_, {queue_, weather_, traffic_, channel_}, liveTraffic_.cycle()};
};

TEST_F(MainLoopTest, RunningCyclesAdvanceTheClockAndTicksCountOncePerSecond) {
  loop_.begin();
  EXPECT_TRUE(queue_.accepting());
  runTicks(3);
  EXPECT_EQ(loop_.tickCounter(), 3);
  EXPECT_EQ(loop_.cyclesRun(), 300);
  EXPECT_EQ(cycleNumber().load(), 300);
  // Each cycle asks with its own number, then the number moves on.
  EXPECT_EQ(simulator_.lastRequestCycle, 299);
  EXPECT_DOUBLE_EQ(simulator_.lastRadius, 40 * 1852.0);
  // The tick flag is consumed by the cycle that saw it.
  EXPECT_FALSE(simulator_.tick);
}

TEST_F(MainLoopTest, EachCycleTakesAtMostTwoReportsFromTheQueue) {
  loop_.begin();
  for (uint32_t hexid = 1; hexid <= 3; ++hexid) queue_.offer({.hexid = hexid});
  ASSERT_TRUE(loop_.cycleStep());
  EXPECT_EQ(queue_.reports.size(), 1u);
  ASSERT_TRUE(loop_.cycleStep());
  EXPECT_TRUE(queue_.reports.empty()) << "the queue never holds more than the reports of the last cycles";
}

TEST_F(MainLoopTest, EveryFifteenthTickFollowsTheUserWithTheRadius) {
  loop_.begin();
  runTicks(14);
  EXPECT_DOUBLE_EQ(traffic_.feed.referencePosition().lat, 0.0);
  runTicks(1);
  EXPECT_DOUBLE_EQ(traffic_.feed.referencePosition().lat, 47.4621);
  EXPECT_DOUBLE_EQ(traffic_.feed.referencePosition().lon, 8.5509);
}

TEST_F(MainLoopTest, EachTickRemovesALiveAircraftStandingInTheUserAircraft) {
  loop_.begin();
  liveTraffic_.state().reserve();
  LiveAircraft& next = liveTraffic_.state().liveList.emplace_back();
  next.hexid = 0x4b0001;
  next.state = SimState::Active;
  next.objectId = 40;
  next.onGroundConfirmed = true;
  next.halfWingspan = 0.01;
  next.block.lat = 47.4622;
  next.block.lon = 8.5509;
  next.history.push_back({.lat = 47.4622, .lon = 8.5509, .stamp = 1'000'000, .stationary = true});
  for (int cycle = 0; cycle < 99; ++cycle) ASSERT_TRUE(loop_.cycleStep());
  EXPECT_EQ(next.state, SimState::Active);
  simulator_.tick = true;
  ASSERT_TRUE(loop_.cycleStep());
  EXPECT_EQ(next.state, SimState::RemovingFromSim);
}

TEST_F(MainLoopTest, AFlightThatStopsIsMarkedOnceAndResumesOnTheNextTick) {
  loop_.begin();
  runTicks(1);
  LogCapture log;
  simulator_.running = false;
  for (int cycle = 0; cycle < 250; ++cycle) ASSERT_TRUE(loop_.cycleStep());
  EXPECT_EQ(log.count("Flight not running"), 1u);
  EXPECT_TRUE(loop_.markedNotRunning());
  EXPECT_FALSE(queue_.accepting());
  EXPECT_EQ(simulator_.discards, 1);
  // No traffic cycles while no flight runs.
  EXPECT_EQ(cycleNumber().load(), 100);

  simulator_.running = true;
  ASSERT_TRUE(loop_.cycleStep());
  EXPECT_EQ(log.count("Flight resumed"), 0u);
  simulator_.tick = true;
  ASSERT_TRUE(loop_.cycleStep());
  EXPECT_EQ(log.count("Flight resumed"), 1u);
  EXPECT_TRUE(queue_.accepting());
  runTicks(2);
  EXPECT_EQ(log.count("Flight resumed"), 1u);
  EXPECT_EQ(log.count("Flight not running"), 1u);

  // A pause counts as not running too.
  simulator_.pausedFlag = true;
  ASSERT_TRUE(loop_.cycleStep());
  EXPECT_EQ(log.count("Flight not running"), 2u);
}

TEST_F(MainLoopTest, FeedsThatStandStillShowNoData) {
  weather_.datagramCount = 3;
  traffic_.datagramCount = 7;
  loop_.begin();
  EXPECT_EQ(weather_.state.load(), kFeedReceiving);
  EXPECT_EQ(traffic_.state.load(), kFeedReceiving);
  traffic_.datagramCount = 9;
  loop_.feedStateCheck();
  EXPECT_EQ(weather_.state.load(), kFeedNoData);
  EXPECT_EQ(traffic_.state.load(), kFeedReceiving);
  // A feed without data is checked again on the 15th tick: the weather came
  // back, the traffic stopped.
  weather_.datagramCount = 4;
  runTicks(15);
  EXPECT_EQ(weather_.state.load(), kFeedReceiving);
  EXPECT_EQ(traffic_.state.load(), kFeedNoData);
}

TEST_F(MainLoopTest, AStopEndsTheLoopAtTheNextCycle) {
  loop_.begin();
  runTicks(1);
  requestSessionExit(ExitReason::UserClosedSim, 0);
  EXPECT_FALSE(loop_.cycleStep());
  EXPECT_EQ(loop_.cyclesRun(), 100);
}

class MainLoopParkingTest : public MainLoopTest {
 protected:
  UserStandLink userStand_;
  airports::AirportDatabase airports_;
  ParkAirportWork parking_{airports_,
                           liveTraffic_.parked(),
                           liveTraffic_.state(),
                           liveTraffic_.livery(),
                           traffic_.feed,
                           userStand_,
                           {.user = [] { return airports::UserAircraft{.position = {47.46, 8.55}}; },
                            .clock = [] { return std::chrono::system_clock::time_point(std::chrono::hours(1)); }}};
  MainLoop parkingLoop_{simulator_, {queue_, weather_, traffic_, channel_}, liveTraffic_.cycle(), &parking_};

  void runParkingTicks(int ticks) {
    for (int tick = 0; tick < ticks; ++tick) {
      ASSERT_TRUE(parkingLoop_.cycleStep());
      simulator_.tick = true;
      ASSERT_TRUE(parkingLoop_.cycleStep());
    }
  }
};

TEST_F(MainLoopParkingTest, TheRenewalIsAskedOnThe1200thTickAndSteppedOnTheNextFifteenths) {
  parkingLoop_.begin();
  parking_.state().stands.standsLoaded = true;
  runParkingTicks(59);
  EXPECT_EQ(parking_.minutesToRenewal(), -1);
  runParkingTicks(1);
  EXPECT_EQ(parking_.minutesToRenewal(), 20) << "01:00 is 20 minutes before 01:20";
  runParkingTicks(1139);
  EXPECT_FALSE(parking_.state().statics.renewalPending);
  runParkingTicks(1);
  EXPECT_TRUE(parking_.state().statics.renewalPending);
  runParkingTicks(15);
  EXPECT_TRUE(parking_.state().statics.renewalFlushed);
  runParkingTicks(15);
  EXPECT_FALSE(parking_.state().statics.renewalPending);
}

}  // namespace
}  // namespace tfx::app
