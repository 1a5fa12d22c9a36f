// A parked live aircraft leaves its stand: pulled out when its reports lie
// ahead, pushed back otherwise, turning at the end of the push when a report
// says which way, and taxiing once its reports are clear of it.
#include <fmt/ranges.h>

#include <utility>

#include "core/parameters.h"
#include "ground_fixture.h"
#include "traffic/motion_math.h"
#include "traffic/stand_leaving.h"

namespace tfx::test {
namespace {

class StandLeaving : public GroundFixture {
 protected:
  StandLeaving() : stand(addStand(kApron, 0.0, 20.0)), a(parkedOn(0x4d0001, stand)) {
    a.halfWingspan = kA320HalfSpanNm;
    runGround(2);
  }
  ~StandLeaving() override { STRAIGHT_PBS_ONLY.set(false); }

  bool report(const LatLon& at, double knots = 2.0) {
    return first.motion.takeReport(ground, a, groundPoint(at, cycleNumber().load() + 500, knots));
  }

  airports::Stand& stand;
  LiveAircraft& a;
};

TEST_F(StandLeaving, ReportsAtTheStandAreRefusedOneAheadPullsOut) {
  ASSERT_EQ(a.phase, FlightPhase::Parked);
  EXPECT_FALSE(report(offset(kApron, 0.0, 8.0)));
  ASSERT_TRUE(report(offset(kApron, 20.0, 60.0)));
  runGround(2);
  EXPECT_EQ(a.phase, FlightPhase::Taxi);
  EXPECT_EQ(a.previousPhase, FlightPhase::Parked);
  ASSERT_EQ(a.history.size(), 1u);
  EXPECT_NEAR(gf_distanceNm(positionOf(a.history[0]), kApron) * kMetersPerNm, 2.0 * 17.9, 0.2);
  EXPECT_NEAR(gf_bearingRad(kApron, positionOf(a.history[0])), 0.0, 0.01);
  EXPECT_EQ(a.standId, 0u);
  EXPECT_FALSE(stand.liveOccupied);
  EXPECT_TRUE(hasEvent("5046273 stand pulling_out"));
  EXPECT_TRUE(hasEvent("5046273 stand left"));
}

TEST_F(StandLeaving, APushBackTurnsTheWayAReportSaysAndEndsPushedBack) {
  ASSERT_TRUE(report(offset(kApron, 180.0, 60.0)));
  runGround(2);
  ASSERT_EQ(a.phase, FlightPhase::PushingBack);
  EXPECT_EQ(a.motion.pushBackStage, 2);
  ASSERT_EQ(a.history.size(), 2u);
  const TrackPoint firstTarget = a.history[0];
  const int32_t sideDue = a.history[1].stamp;
  EXPECT_NEAR(gf_distanceNm(positionOf(firstTarget), kApron) * kMetersPerNm, 50.0, 0.2) << "2.5 stand radii";
  EXPECT_GE(sideDue - firstTarget.stamp, 2600) << "the quarter turn of a Large aircraft";

  TrackPoint turn = groundPoint(offset(kApron, 180.0, 70.0), cycleNumber().load() + 900);
  turn.hasTrueHeading = true;
  turn.trueHeading = 0.5;
  EXPECT_FALSE(first.motion.takeReport(ground, a, turn));
  EXPECT_EQ(a.motion.turnDirection, 1);

  runGroundUntil(firstTarget.stamp + 1);
  EXPECT_EQ(a.motion.pushBackStage, 1);
  EXPECT_EQ(a.motion.curveDefinition, 1);
  EXPECT_DOUBLE_EQ(a.history[0].lat, a.motion.mirrorPoint.lat);
  EXPECT_NEAR(a.block.heading, 0.0, 0.01) << "pushed straight back, nose to the stand";
  runGroundUntil(sideDue + 2);
  EXPECT_EQ(a.phase, FlightPhase::PushedBack);
  EXPECT_NEAR(angleDifference(a.block.heading - M_PI / 2.0) * kRadToDeg, 0.0, 2.0);
  EXPECT_TRUE(hasEvent("5046273 stand pushed_back"));
  EXPECT_EQ(a.standId, 1u) << "the stand is kept until the aircraft is clear";

  EXPECT_FALSE(report(offset(positionOf(a.block), 90.0, 30.0)));
  EXPECT_TRUE(a.distanceWatch);
  EXPECT_TRUE(report(offset(positionOf(a.block), 90.0, 60.0))) << "farther than 2.75 half spans and moving away";
  EXPECT_EQ(a.phase, FlightPhase::Taxi);
  EXPECT_EQ(a.standId, 0u);
  EXPECT_FALSE(a.distanceWatch);
}

TEST_F(StandLeaving, WithStraightPushBacksOnlyNoReportTurnsIt) {
  STRAIGHT_PBS_ONLY.set(true);
  ASSERT_TRUE(report(offset(kApron, 170.0, 60.0)));
  runGround(2);
  TrackPoint turn = groundPoint(offset(kApron, 180.0, 70.0), cycleNumber().load() + 900);
  turn.hasTrueHeading = true;
  turn.trueHeading = 5.0;
  EXPECT_FALSE(first.motion.takeReport(ground, a, turn));
  EXPECT_EQ(a.motion.turnDirection, 0);
  runGroundUntil(a.history[0].stamp + 500);
  EXPECT_EQ(a.phase, FlightPhase::PushedBack);
  EXPECT_EQ(a.motion.curveDefinition, 0);
  EXPECT_NEAR(a.block.heading, 0.0, 0.01);
  EXPECT_NEAR(gf_distanceNm(positionOf(a.block), kApron) * kMetersPerNm, 50.0, 0.5);
}

}  // namespace
}  // namespace tfx::test

namespace tfx::test {
namespace {

// A whole turn at a stand from the feed's reports: the aircraft taxis in,
// stops short of the stand, drives onto it, stands, is pushed back when its
// reports move behind the stand, and taxis away.
class StandTurnaround : public GroundFixture {
 protected:
  void reportAt(const LatLon& at, double knots, double track) {
    TrafficReport r = report(0x4d1001, cycleNumber().load() / 100.0, cycleNumber().load() + kReportDelayCycles, at.lat, at.lon, 0.0,
                             knots);
    r.track = track;
    std::lock_guard lock(queue.mutex);
    queue.reports.push_back(r);
  }
  // Runs cycles, answering the simulator's create and telling it stands on the ground.
  void runSimulated(int cycles) {
    for (int i = 0; i < cycles; ++i) {
      for (const sim::CreateRequest& request : std::exchange(simulator.lists.creates, {})) {
        simulator.lists.postNotification(
            {.objectId = 700, .hexid = request.hexid, .kind = sim::NotificationKind::LiveCreated});
      }
      if (LiveAircraft* a = state.findHexid(0x4d1001); a != nullptr && a->objectId != 0 && i % 50 == 0) {
        simulator.lists.postNotification({.objectId = a->objectId,
                                          .hexid = 1,
                                          .kind = sim::NotificationKind::GroundData,
                                          .valueA = 1416.0});
      }
      groundCycle.trafficCycle();
    }
  }
};

TEST_F(StandTurnaround, TaxiInParkPushBackAndTaxiAway) {
  const airports::Stand& stand = addStand(kApron, 0.0, 22.0);
  double track = 0.0;
  for (int i = 0; i <= 12; ++i) {
    const double metres = 150.0 - std::min(i, 10) * 14.0;
    reportAt(offset(kApron, 180.0, metres), i < 10 ? 6.0 - i * 0.5 : 0.0, track);
    track = track == 0.0 ? 5.0 : 0.0;
    runSimulated(500);
  }
  runSimulated(6000);
  ASSERT_NE(state.findHexid(0x4d1001), nullptr) << fmt::format("{}", fmt::join(observer.events, "\n"));
  LiveAircraft& a = aircraft(0x4d1001);
  ASSERT_EQ(a.phase, FlightPhase::Parked) << fmt::format("{}", fmt::join(observer.events, "\n"));
  EXPECT_LT(standDistanceM(a), 2.0);
  EXPECT_LT(standHeadingErrorDeg(a), 1.0);
  EXPECT_TRUE(hasEvent("5050369 stand arrived"));
  EXPECT_TRUE(stand.liveOccupied);
  runSimulated(2000);
  EXPECT_EQ(a.phase, FlightPhase::Parked);
  // The push-back takes about a minute; the reports go on beyond it.
  for (int i = 1; i <= 24; ++i) {
    reportAt(offset(kApron, 180.0, 10.0 + i * 12.0), 4.0, track);
    track = track == 180.0 ? 175.0 : 180.0;
    runSimulated(500);
  }
  runSimulated(4000);
  EXPECT_TRUE(hasEvent("5050369 stand pushing_back"));
  EXPECT_TRUE(hasEvent("5050369 stand pushed_back"));
  EXPECT_TRUE(hasEvent("5050369 stand left"));
  EXPECT_EQ(a.standId, 0u);
  EXPECT_EQ(a.phase, FlightPhase::Taxi);
  EXPECT_FALSE(stand.liveOccupied);
}

}  // namespace
}  // namespace tfx::test
