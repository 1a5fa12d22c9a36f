// Which reports a known aircraft takes, and which reports make a new one.
#include "traffic/report_acceptance.h"
#include "traffic_fixture.h"

namespace tfx::test {
namespace {

class Acceptance : public TrafficFixture {
 protected:
  // A record with one point from a report at 1000 s.
  LiveAircraft& known(double altitude, double speed, double track = 90.0) {
    TrafficReport first = report(nextHexid++, 1000.0, 3000, 47.5, 8.6, altitude, speed);
    first.track = track;
    cycle.handleReport(first);
    return aircraft(first.hexid);
  }
  bool tooSoon(const LiveAircraft& a, double seconds, double altitude, double speed, double track = 90.0) {
    TrafficReport next = report(a.hexid, seconds, 3100, 47.6, 8.7, altitude, speed);
    next.track = track;
    return reportComesTooSoon(a, next);
  }

  uint32_t nextHexid = 4000001;
};

TEST_F(Acceptance, ReportsOneSecondApartAreIgnoredAndAHundredthMoreIsTaken) {
  const LiveAircraft& a = known(5000, 100);
  EXPECT_TRUE(tooSoon(a, 1000.0, 5000, 100));
  EXPECT_TRUE(tooSoon(a, 1001.0, 5000, 100));
  EXPECT_FALSE(tooSoon(a, 1001.01, 5000, 100));
}

TEST_F(Acceptance, AnAirlinerOnASteadyTrackIsTakenOnlyOnce450MetresAreFlown) {
  const LiveAircraft& a = known(30000, 450);
  // 450 m at 450 kt take 1.944 s.
  EXPECT_TRUE(tooSoon(a, 1001.94, 30000, 450));
  EXPECT_FALSE(tooSoon(a, 1001.95, 30000, 450));
  // A turn of more than a degree is news at once.
  EXPECT_FALSE(tooSoon(a, 1001.5, 30000, 450, 91.5));
  // The steady-track rule holds only above 120 kt.
  const LiveAircraft& slow = known(3000, 120);
  EXPECT_FALSE(tooSoon(slow, 1001.5, 3000, 120));
}

TEST_F(Acceptance, AGroundAircraftIsTakenOnce20MetresAreDriven) {
  const LiveAircraft& a = known(0, 10);
  // 20 m at 10 kt take 3.888 s.
  EXPECT_TRUE(tooSoon(a, 1003.88, 0, 10));
  EXPECT_FALSE(tooSoon(a, 1003.9, 0, 10));
  // Standing still, the wait is 15 s; faster than 30 kt nothing waits.
  const LiveAircraft& standing = known(0, 0);
  EXPECT_TRUE(tooSoon(standing, 1015.0, 0, 0));
  EXPECT_FALSE(tooSoon(standing, 1015.01, 0, 0));
  EXPECT_FALSE(tooSoon(a, 1002.0, 0, 31));
  // A track that turned more than 2 degrees is news.
  EXPECT_FALSE(tooSoon(a, 1002.0, 0, 10, 92.5));
}

TEST_F(Acceptance, SpeedJumpsAreIgnored) {
  EXPECT_TRUE(tooSoon(known(0, 4), 1010.0, 0, 80));
  EXPECT_FALSE(tooSoon(known(0, 4), 1010.0, 0, 79));
  EXPECT_TRUE(tooSoon(known(0, 80), 1010.0, 0, 5));
  EXPECT_TRUE(tooSoon(known(3000, 20), 1010.0, 3000, 200));
  EXPECT_TRUE(tooSoon(known(3000, 200), 1010.0, 3000, 20));
  EXPECT_FALSE(tooSoon(known(3000, 200), 1010.0, 3000, 21));
}

TEST_F(Acceptance, WhileAnExtrapolationRunsOnlyTimeAndSpeedJumpsCount) {
  LiveAircraft& a = known(30000, 450);
  a.motion.holdCount = 1;
  EXPECT_FALSE(tooSoon(a, 1001.5, 30000, 450));
  EXPECT_TRUE(tooSoon(a, 1000.5, 30000, 450));
}

TEST_F(Acceptance, NewAircraftNeedAKnownTypeAndAShownCategory) {
  TrafficReport noType = report(4000010, 1000, 3000);
  noType.type = "";
  noType.registration = "HB-JLT";
  cycle.handleReport(noType);
  EXPECT_EQ(aircraft(4000010).type, "A320");

  TrafficReport unknown = report(4000011, 1000, 3000);
  unknown.type = "ZZZZ";
  cycle.handleReport(unknown);
  EXPECT_EQ(state.findHexid(4000011), nullptr);

  HELICOPTERS.set(false);
  TrafficReport helicopter = report(4000012, 1000, 3000);
  helicopter.type = "EC35";
  cycle.handleReport(helicopter);
  EXPECT_EQ(state.findHexid(4000012), nullptr);
  HELICOPTERS.set(true);
  cycle.handleReport(helicopter);
  EXPECT_EQ(aircraft(4000012).category, 5u);
  EXPECT_EQ(aircraft(4000012).climbLimit, 0.75);
  EXPECT_EQ(aircraft(4000012).standSpeed, 5.0);

  LIGHT_AIRCRAFT.set(false);
  TrafficReport light = report(4000013, 1000, 3000);
  light.type = "C172";
  cycle.handleReport(light);
  EXPECT_EQ(state.findHexid(4000013), nullptr);
}

TEST_F(Acceptance, ANewRecordStartsInTheBufferWithTheCategoryValues) {
  TrafficReport r = report(4000020, 1000, 3000);
  r.type = "B744";
  r.origin = "LSZH";
  r.destination = "KJFK";
  cycle.handleReport(r);
  const LiveAircraft& a = aircraft(4000020);
  EXPECT_EQ(a.state, SimState::Buffer);
  EXPECT_EQ(a.phase, FlightPhase::Birth);
  EXPECT_EQ(a.firstCallsign, a.callsign);
  EXPECT_EQ(a.climbLimit, 0.5);
  EXPECT_EQ(a.standSpeed, 3.0);
  EXPECT_NEAR(a.halfWingspan, 64.4 / 2 / 1852, 1e-9);
  EXPECT_EQ(a.history.size(), 1u);
  EXPECT_EQ(a.lastTimestamp, 1000.0);
  EXPECT_EQ(observer.events, std::vector<std::string>{"4000020 create"});
}

TEST_F(Acceptance, ASecondHexidOfTheSameCallsignAndTypeIsIgnored) {
  cycle.handleReport(report(4000030, 1000, 3000));
  TrafficReport twin = report(4000030, 1000, 3000);
  twin.hexid = 4000031;
  cycle.handleReport(twin);
  EXPECT_EQ(state.liveList.size(), 1u);
}

TEST_F(Acceptance, BufferedReportsNearTheParkAirportElevationAreKeptOut) {
  airports::parkAirport() = {"LSZH", "ZRH", 47.4647, 8.5492, 1416};
  cycle.handleReport(report(4000040, 1000, 3000, 47.46, 8.55, 1500));
  EXPECT_EQ(state.findHexid(4000040), nullptr);
  cycle.handleReport(report(4000040, 1000, 3000, 47.46, 8.55, 1600));
  ASSERT_NE(state.findHexid(4000040), nullptr);
  cycle.handleReport(report(4000040, 1010, 3100, 47.47, 8.56, 1300));
  EXPECT_EQ(aircraft(4000040).history.size(), 1u);
  cycle.handleReport(report(4000040, 1020, 3200, 47.47, 8.56, 1290));
  EXPECT_EQ(aircraft(4000040).history.size(), 2u);
}

}  // namespace
}  // namespace tfx::test
