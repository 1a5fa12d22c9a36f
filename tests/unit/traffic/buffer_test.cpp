// A buffered aircraft from its first report to its spawn or drop, step by step.
#include <cmath>

#include "traffic_fixture.h"

namespace tfx::test {
namespace {

class Buffer : public TrafficFixture {
 protected:
  // Reports 10 s apart, due 100 cycles apart from cycle 1000 on, moving east.
  void feed(uint32_t hexid, int count, double altitude = 5000.0, double speed = 250.0) {
    for (int i = 0; i < count; ++i) {
      cycle.handleReport(report(hexid, 1000.0 + 10 * i, 1000 + 100 * i, 47.5, 8.6 + 0.01 * i, altitude, speed));
    }
  }
};

TEST_F(Buffer, AnAirborneAircraftSpawnsOneSecondBeforeItsFirstPointIsDue) {
  feed(4100001, 2);
  runUntil(899);
  EXPECT_EQ(aircraft(4100001).state, SimState::Buffer);
  runCycles(1);  // cycle 899: still waiting for 1000 - 100
  EXPECT_EQ(aircraft(4100001).state, SimState::Buffer);
  runCycles(1);
  EXPECT_EQ(aircraft(4100001).state, SimState::Adding2Sim);
  // The same cycle builds its create request.
  EXPECT_TRUE(state.addingStack.empty());
  ASSERT_EQ(state.liveCreateQueue.size(), 1u);
  EXPECT_EQ(state.liveCreateQueue.front().hexid, 4100001u);
}

TEST_F(Buffer, AMovingGroundAircraftSpawnsThreeSecondsAhead) {
  feed(4100002, 2, 0.0, 15.0);
  runUntil(700);
  EXPECT_EQ(aircraft(4100002).state, SimState::Buffer);
  runCycles(1);
  EXPECT_EQ(aircraft(4100002).state, SimState::Adding2Sim);
  EXPECT_EQ(aircraft(4100002).phase, FlightPhase::Taxi);
}

TEST_F(Buffer, ASingleReportIsDroppedWhenItFallsDue) {
  feed(4100003, 1);
  runUntil(901);
  EXPECT_EQ(state.findHexid(4100003), nullptr);
  EXPECT_EQ(observer.events,
            (std::vector<std::string>{"4100003 create", "4100003 drop single-report", "4100003 erase dropped"}));
}

TEST_F(Buffer, MixedPointsLoseTheOldestOneEachAtItsOwnDueTime) {
  cycle.handleReport(report(4100004, 1000, 1000, 47.5, 8.60, 0.0, 100));
  cycle.handleReport(report(4100004, 1010, 1200, 47.5, 8.61, 0.0, 100));
  cycle.handleReport(report(4100004, 1020, 1400, 47.5, 8.62, 800.0, 140));
  cycle.handleReport(report(4100004, 1030, 1600, 47.5, 8.63, 1200.0, 160));
  runUntil(701);  // ground and moving: 300 cycles ahead of 1000
  EXPECT_EQ(aircraft(4100004).history.size(), 3u);
  runUntil(900);  // the next oldest is due at 1200, still 300 ahead
  EXPECT_EQ(aircraft(4100004).history.size(), 3u);
  runUntil(901);
  EXPECT_EQ(aircraft(4100004).history.size(), 2u);
  // Now only airborne points: spawned 100 cycles before 1400.
  runUntil(1300);
  EXPECT_EQ(aircraft(4100004).state, SimState::Buffer);
  runUntil(1301);
  EXPECT_EQ(aircraft(4100004).state, SimState::Adding2Sim);
  EXPECT_EQ(aircraft(4100004).phase, FlightPhase::Flying);
}

TEST_F(Buffer, ManyWaitingCreatesHoldNewbornsBack) {
  feed(4100005, 3);
  simulator.waitingCreates = 11;
  runUntil(901);
  EXPECT_EQ(aircraft(4100005).history.size(), 2u);
  simulator.waitingCreates = 10;
  runUntil(1001);
  EXPECT_EQ(aircraft(4100005).state, SimState::Adding2Sim);
}

TEST_F(Buffer, TheLiveLimitReplacesTheFarthestActiveAircraftOrDropsTheNewcomer) {
  MAX_LIVE_SEL.set(10);
  // Nine active aircraft made by hand, the farthest 2 nm north of the user at 8.5492.
  for (uint32_t i = 0; i < 9; ++i) {
    LiveAircraft& a = state.liveList.emplace_back();
    a.hexid = 4200000 + i;
    a.state = SimState::Active;
    a.objectId = 100 + i;
    a.block.lat = 47.4647 + (i == 8 ? 2.0 / 60 : 0.001);
    a.block.lon = 8.5492;
    TrackPoint notYetDue;
    notYetDue.stamp = 1'000'000;
    a.history.push_back(notYetDue);
  }
  simulator.waitingCreates = 1;  // one more on its way: ten
  // A newcomer 0.95 nm away: more than 0.1 nm closer than the farthest.
  cycle.handleReport(report(4100006, 1000, 1000, 47.4647 + 0.95 / 60, 8.5492));
  cycle.handleReport(report(4100006, 1010, 1100, 47.4647 + 0.96 / 60, 8.5492));
  runUntil(901);
  EXPECT_TRUE(hasEvent("4200008 remove live-limit active"));
  EXPECT_EQ(aircraft(4100006).state, SimState::Adding2Sim);

  // Another one 0.95 nm away finds nobody more than 0.1 nm farther.
  cycle.handleReport(report(4100007, 1000, 1100, 47.4647 + 0.95 / 60, 8.5492));
  cycle.handleReport(report(4100007, 1010, 1200, 47.4647 + 0.96 / 60, 8.5492));
  runUntil(1001);
  EXPECT_TRUE(hasEvent("4100007 drop live-limit"));
  EXPECT_EQ(state.findHexid(4100007), nullptr);
}

TEST_F(Buffer, TheNoLimitSettingNeverCounts) {
  MAX_LIVE_SEL.set(500);
  for (uint32_t i = 0; i < 600; ++i) state.addingStack.push_back(4300000 + i);
  feed(4100008, 2);
  runUntil(901);
  EXPECT_EQ(aircraft(4100008).state, SimState::Adding2Sim);
}

TEST_F(Buffer, ABlockedCallsignStaysInTheBufferWhileTheValueStands) {
  feed(4100009, 3);
  BLOCK_CALLSIGN.set("SWR9");
  runUntil(1200);
  EXPECT_EQ(aircraft(4100009).state, SimState::Buffer);
  BLOCK_CALLSIGN.set("");
  runCycles(1);
  EXPECT_EQ(aircraft(4100009).state, SimState::Adding2Sim);
}

TEST_F(Buffer, AnInvalidCallsignTakesAKnownRegistrationElseTheAircraftIsDropped) {
  TrafficReport r = report(4100010, 1000, 1000);
  r.callsign = "@@@@@@@@";
  r.registration = "HB-JLT";
  cycle.handleReport(r);
  r.timestamp = 1010;
  r.stamp = 1100;
  r.lon += 0.01;
  cycle.handleReport(r);
  r.hexid = 4100011;
  r.callsign = "ABCDEFGHI";
  r.registration = "D-EFGH";
  r.lon -= 0.01;
  r.timestamp = 1000;
  r.stamp = 1000;
  cycle.handleReport(r);
  r.timestamp = 1010;
  r.stamp = 1100;
  r.lon += 0.01;
  cycle.handleReport(r);
  runUntil(901);
  EXPECT_EQ(aircraft(4100010).callsign, "HB-JLT");
  EXPECT_EQ(aircraft(4100010).airline, "SWR");
  EXPECT_TRUE(hasEvent("4100011 drop invalid-callsign"));
}

TEST_F(Buffer, AKeyWithoutLiveryIsDroppedWithoutAskingAgain) {
  feed(4100012, 2);
  state.noLiveryKeys.insert("SWRA320");
  runUntil(901);
  EXPECT_TRUE(hasEvent("4100012 drop no-livery-key"));
}

TEST_F(Buffer, TheOperatorComesFromTheRegistrationElseTheCallsignElsePrivate) {
  TrafficReport cargo = report(4100013, 1000, 1000);
  cargo.registration = "LX-VCA";
  cargo.type = "B744";
  cargo.callsign = "CLX123";
  cycle.handleReport(cargo);
  TrafficReport unknownAirline = report(4100014, 1000, 1000, 47.5, 8.7);
  unknownAirline.callsign = "N123AB";
  cycle.handleReport(unknownAirline);
  feed(4100015, 1);
  for (uint32_t hexid : {4100013u, 4100014u}) {
    TrafficReport next = report(hexid, 1010, 1100, 47.6, 8.8);
    next.type = aircraft(hexid).type;
    next.callsign = aircraft(hexid).callsign;
    cycle.handleReport(next);
  }
  cycle.handleReport(report(4100015, 1010, 1100, 47.6, 8.8));
  runUntil(901);
  EXPECT_EQ(aircraft(4100013).airline, "CLX");
  EXPECT_TRUE(aircraft(4100013).cargo);
  EXPECT_EQ(aircraft(4100014).airline, "PVT");
  EXPECT_EQ(aircraft(4100015).airline, "SWR");
}

TEST_F(Buffer, SpawnValues) {
  // Climbing at 3000 fpm from 47.5,8.6 to the east.
  TrafficReport first = report(4100016, 1000, 1000, 47.5, 8.6, 5000, 250);
  first.verticalSpeed = 3000;
  first.hasRoll = true;
  first.roll = 0.1;
  cycle.handleReport(first);
  cycle.handleReport(report(4100016, 1010, 1100, 47.5, 8.61, 5500, 250));
  runUntil(901);
  const LiveAircraft& a = aircraft(4100016);
  EXPECT_EQ(a.title, kDefaultLiveryTitle);
  EXPECT_EQ(a.phase, FlightPhase::Flying);
  EXPECT_EQ(a.block.lat, 47.5);
  EXPECT_EQ(a.block.altitude, 5000);
  EXPECT_EQ(a.block.verticalSpeed, 50.0);
  EXPECT_EQ(a.block.bank, 0.1);
  // Climb limited to 2400 fpm: -(3 + 2.2 * 4) degrees.
  EXPECT_NEAR(a.block.pitch, -11.8 * kDegToRad, 1e-12);
  EXPECT_NEAR(a.block.heading, gf_bearingRad({47.5, 8.6}, {47.5, 8.61}), 1e-12);
  EXPECT_EQ(state.rememberedLiveries.at(4100016), kDefaultLiveryTitle);
  EXPECT_EQ(state.staticCheckList.back(), 4100016u);
  EXPECT_EQ(observer.events, (std::vector<std::string>{"4100016 create", "4100016 phase birth>flying",
                                                       "4100016 spawn"}));

  // Descending at 4000 fpm: limited to -3000, halved.
  TrafficReport down = report(4100017, 1000, 1000, 47.5, 8.6, 5000, 250);
  down.verticalSpeed = -4000;
  cycle.handleReport(down);
  cycle.handleReport(report(4100017, 1010, 1100, 47.5, 8.61, 4500, 250));
  runUntil(1001);
  EXPECT_NEAR(aircraft(4100017).block.pitch, -(3.0 - 2.2 * 1500 / 600) * kDegToRad, 1e-12);
}

TEST_F(Buffer, AStandingGroundAircraftSpawnsStationaryOnItsTrack) {
  TrafficReport r = report(4100018, 1000, 1000, 47.45, 8.56, 0, 0);
  r.track = 270;
  cycle.handleReport(r);
  r.timestamp = 1020;
  r.stamp = 1100;
  cycle.handleReport(r);
  runUntil(901);
  const LiveAircraft& a = aircraft(4100018);
  EXPECT_TRUE(a.history[0].stationary);
  EXPECT_TRUE(a.history[1].stationary);
  EXPECT_EQ(a.phase, FlightPhase::Taxi);
  EXPECT_NEAR(a.block.pitch, 0.6 * kDegToRad, 1e-15);
  EXPECT_NEAR(a.block.heading, 270 * kDegToRad, 1e-12);
}

}  // namespace
}  // namespace tfx::test
