// Flare, touchdown and take-off of live aircraft, the simulator's ground and
// shape data, reports during a landing, and what happens when the reports end.
#include "core/parameters.h"
#include "traffic/ground_data.h"
#include "traffic/landing.h"
#include "traffic/motion_tables.h"
#include "traffic/motion_step.h"
#include "traffic/report_taking.h"
#include "traffic/take_off.h"
#include "motion_fixture.h"

namespace tfx::test {
namespace {

class Landing : public MotionFixture {
 protected:
  // Landing with CG height 10 ft over a field at 1416 ft, 300 ft above the ground by the simulator.
  LiveAircraft& landing() {
    setParkAirport(1416.0);
    LiveAircraft& a = active(4600001, {point(47.46, 8.55, 1500.0, 0, 140, -700), point(47.46, 8.54, 0.0, 300, 130)});
    a.motion.landing = true;
    a.groundCounter = 1;  // as the start of a landing sets it
    a.altitudeAboveGround = 300.0;
    return a;
  }

  void postGroundData(const LiveAircraft& a, bool onGround, double groundAltitude, double agl) {
    simulator.lists.postNotification({.objectId = a.objectId,
                                      .hexid = onGround ? 1u : 0u,
                                      .kind = sim::NotificationKind::GroundData,
                                      .valueA = groundAltitude,
                                      .valueB = agl});
    runCycles(1);
  }
};

TEST_F(Landing, FlareStagesBeginAtCgHeightPlus30_20_10And3Feet) {
  LiveAircraft& a = landing();
  const auto at = [&](double aboveField) {
    a.block.altitude = 1416.0 + aboveField;
    flareStep(context, a);
    return a.motion.approachStage;
  };
  EXPECT_EQ(at(40.1), 0);
  EXPECT_EQ(at(40.0), 1);
  EXPECT_DOUBLE_EQ(a.motion.climbStep, -0.1);
  EXPECT_EQ(a.history.front().verticalSpeed, -601.0);
  EXPECT_TRUE(state.fastGroundScan);
  EXPECT_DOUBLE_EQ(a.motion.pitchStep, (-4.0 * kDegToRad - a.block.pitch) / 300);
  EXPECT_EQ(at(30.1), 1);
  EXPECT_EQ(at(30.0), 2);
  EXPECT_DOUBLE_EQ(a.motion.climbStep, -0.07500000000000001);
  EXPECT_EQ(a.history.front().verticalSpeed, -450.0);
  EXPECT_EQ(at(20.0), 3);
  EXPECT_DOUBLE_EQ(a.motion.climbStep, -0.05);
  EXPECT_EQ(a.throttleIndex, 0u);
  EXPECT_EQ(at(13.1), 3);
  EXPECT_EQ(at(13.0), 4);
  EXPECT_DOUBLE_EQ(a.motion.climbStep, -0.025);
  EXPECT_EQ(a.history.front().verticalSpeed, -150.0);
  EXPECT_EQ(at(0.0), 4);
  EXPECT_EQ(countEvents("motion 1 "), 4u);
}

TEST_F(Landing, TheSimulatorsHeightCountsWhenItIsTheSmaller) {
  LiveAircraft& a = landing();
  a.block.altitude = 1416.0 + 200.0;
  a.altitudeAboveGround = 39.0;
  flareStep(context, a);
  EXPECT_EQ(a.motion.approachStage, 1);
}

TEST_F(Landing, TheFirstOnGroundReportIsTheTouchdownAndThenTheAltitudeFollowsTheGround) {
  LiveAircraft& a = landing();
  a.motion.approachStage = 4;
  state.fastGroundScan = true;
  a.block.altitude = 1417.0;
  postGroundData(a, false, 1416.0, 1.0);
  EXPECT_FALSE(a.onGroundConfirmed);
  EXPECT_EQ(a.altitudeAboveGround, 1.0);
  takeEvents();
  postGroundData(a, true, 1416.0, 0.0);
  EXPECT_TRUE(a.onGroundConfirmed);
  EXPECT_FALSE(a.motion.landing);
  EXPECT_TRUE(a.motion.landed);
  EXPECT_TRUE(a.motion.rollout);
  EXPECT_TRUE(a.motion.pitchTransition);
  EXPECT_FALSE(state.fastGroundScan);
  EXPECT_TRUE(sends(takeEvents(), sim::kEvSpoilers, 16383));
  EXPECT_TRUE(hasEvent("4600001 motion 2 0"));
  ASSERT_EQ(simulator.aiControls.size(), 1u);
  EXPECT_EQ(simulator.aiControls[0], (std::array<double, 3>{static_cast<double>(a.objectId), 100.0, 100.0}));
  // The landing set the counter to 1: this second report makes the altitude follow the ground.
  EXPECT_EQ(a.groundCounter, 2);
  EXPECT_EQ(a.block.altitude, 1416.0);
  postGroundData(a, true, 1420.0, 0.0);
  EXPECT_EQ(a.block.altitude, 1420.0);
  EXPECT_EQ(countEvents("motion 2 "), 1u);
}

TEST_F(Landing, ShapeRepliesOutsideTheLimitsAreNotTaken) {
  LiveAircraft& a = landing();
  const auto shape = [&](double cg, double pitch) {
    simulator.lists.postNotification({.objectId = a.objectId, .kind = sim::NotificationKind::Shape, .valueA = cg, .valueB = pitch});
    runCycles(1);
  };
  shape(6.5, 0.01);
  EXPECT_EQ(a.cgHeight, 6.5);
  EXPECT_EQ(a.groundPitch, 0.01);
  shape(35.5, -0.0175);
  EXPECT_EQ(a.cgHeight, 6.5);
  EXPECT_EQ(a.groundPitch, 0.012217304763960306);
  shape(1.0, 0.04363323129985824);
  EXPECT_EQ(a.cgHeight, 1.0);
  EXPECT_EQ(a.groundPitch, 0.04363323129985824);
  shape(0.9, 0.0437);
  EXPECT_EQ(a.cgHeight, 1.0);
  EXPECT_EQ(a.groundPitch, 0.012217304763960306);
  // Unknown objects are ignored.
  simulator.lists.postNotification({.objectId = 9999, .kind = sim::NotificationKind::GroundData, .valueB = 5.0});
  runCycles(1);
}

TEST_F(Landing, ReportsBehindTheLandingAircraftAreRefusedAndFastOnesSlowed) {
  LiveAircraft& a = landing();
  a.history.pop_front();
  a.block.heading = 270.0 * kDegToRad;  // flying west
  EXPECT_FALSE(checkNewPosDuringLanding(a, point(47.46, 8.56, 0.0, 400, 120)));  // east, behind
  EXPECT_FALSE(checkNewPosDuringLanding(a, point(47.46, 8.54, 0.0, 400, 120)));  // the same place
  EXPECT_TRUE(checkNewPosDuringLanding(a, point(47.46, 8.53, 0.0, 400, 150)));
  EXPECT_EQ(a.history.back().groundSpeed, 130.0);
  // Two points held: a new report behind the newest one drops it.
  EXPECT_TRUE(checkNewPosDuringLanding(a, point(47.46, 8.535, 0.0, 500, 100)));
  EXPECT_EQ(a.history.size(), 2u);
  EXPECT_EQ(a.history.back().lon, 8.535);
}

class TakeOff : public MotionFixture {
 protected:
  LiveAircraft& rolling(std::vector<TrackPoint> ahead) {
    std::vector<TrackPoint> points{point(47.45, 8.57, 0.0, 0, 140)};
    points.insert(points.end(), ahead.begin(), ahead.end());
    LiveAircraft& a = active(4700001, points, true);
    a.block.altitude = 1416.0;
    a.motion.takingOff = true;
    return a;
  }
};

TEST_F(TakeOff, FastOrAirborneReportsInTaxiStartTheRoll) {
  LiveAircraft& a = active(4700002, {point(47.45, 8.57, 0.0, 0, 30)}, true);
  takeOffCheck(context, a, point(47.45, 8.56, 0.0, 100, 50));
  EXPECT_FALSE(a.motion.takingOff);  // the newest point is slow
  a.history.back().groundSpeed = 45;
  takeOffCheck(context, a, point(47.45, 8.56, 0.0, 100, 50));
  EXPECT_TRUE(a.motion.takingOff);
  EXPECT_EQ(a.motion.lateTolerance, 5000);
  EXPECT_EQ(a.throttleIndex, 4u);
  EXPECT_EQ(a.flapsIndex, 1u);
  EXPECT_TRUE(hasEvent("4700002 motion 3 0"));
  // During the rollout an airborne newest point and report are a go-around.
  LiveAircraft& b = active(4700003, {point(47.45, 8.57, 1500.0, 0, 130)}, true);
  b.motion.rollout = true;
  b.phase = FlightPhase::Flying;
  takeOffCheck(context, b, point(47.45, 8.56, 1550.0, 100, 140));
  EXPECT_TRUE(b.motion.takingOff);
  EXPECT_EQ(b.phase, FlightPhase::Taxi);
  EXPECT_EQ(b.throttleIndex, 3u);
}

TEST_F(TakeOff, EntryWhenEveryPointAheadClimbsOrFliesFast) {
  LiveAircraft& a = rolling({point(47.45, 8.56, 0.0, 100, 150, 100), point(47.45, 8.55, 1500.0, 200, 155, 800)});
  takeOffEntry(context, a, 100);
  EXPECT_EQ(a.phase, FlightPhase::Taxi);
  LiveAircraft& b = rolling({point(47.45, 8.56, 1456.0, 100, 150, 800), point(47.45, 8.55, 1500.0, 200, 155, 800)});
  b.block.pitch = 0.01;
  takeOffEntry(context, b, 100);
  EXPECT_EQ(b.phase, FlightPhase::TakeOff);
  EXPECT_DOUBLE_EQ(b.motion.climbStep, 0.4);
  EXPECT_EQ(b.motion.takeOffCounter, 300);
  EXPECT_DOUBLE_EQ(b.motion.pitchStep, (-9.0 * kDegToRad - 0.01) / 300);
  // Fast and airborne but not climbing: the climb limit.
  LiveAircraft& c = rolling({point(47.45, 8.56, 1456.0, 100, 150, 0), point(47.45, 8.55, 1500.0, 200, 155, 0)});
  takeOffEntry(context, c, 100);
  EXPECT_EQ(c.phase, FlightPhase::TakeOff);
  EXPECT_DOUBLE_EQ(c.motion.climbStep, 0.6);
}

TEST_F(TakeOff, TheClimbGrowsInTheFirstThreeSecondsAfterLiftOffAndTheGearComesUp) {
  EXPECT_EQ(liftOffClimbFactor(5), 0.0);
  EXPECT_EQ(liftOffClimbFactor(0), 0.0);
  EXPECT_EQ(liftOffClimbFactor(-1), 0.1);
  EXPECT_EQ(liftOffClimbFactor(-99), 0.1);
  EXPECT_EQ(liftOffClimbFactor(-100), 0.2);
  EXPECT_EQ(liftOffClimbFactor(-199), 0.2);
  EXPECT_EQ(liftOffClimbFactor(-200), 0.5);
  EXPECT_EQ(liftOffClimbFactor(-299), 0.5);
  EXPECT_EQ(liftOffClimbFactor(-300), 1.0);

  LiveAircraft& a = rolling({point(47.45, 8.56, 1456.0, 100, 150, 800)});
  takeOffEntry(context, a, 100);
  a.motion.climbStep = 1.0;
  a.altitudeAboveGround = 0.0;
  takeEvents();
  double altitude = a.block.altitude;
  for (int32_t counter = 299; counter >= -301; --counter) {
    takeOffRollStep(context, a);
    ASSERT_EQ(a.motion.takeOffCounter, counter);
    EXPECT_NEAR(a.block.altitude - altitude, liftOffClimbFactor(counter), 1e-9) << counter;
    if (counter >= 1) {
      EXPECT_FALSE(a.onGroundConfirmed);
    }
    altitude = a.block.altitude;
  }
  const auto events = takeEvents();
  EXPECT_EQ(std::count(events.begin(), events.end(), sim::SimEvent{a.objectId, sim::kEvGear, 0}), 1);
  for (int i = 0; i < 5; ++i) takeOffRollStep(context, a);
  EXPECT_EQ(a.block.pitch, -12.0 * kDegToRad);
  EXPECT_EQ(a.phase, FlightPhase::TakeOff);
  // Climb pitch reached: at 800 ft above the ground the aircraft flies.
  a.altitudeAboveGround = 800.0;
  takeOffRollStep(context, a);
  EXPECT_EQ(a.phase, FlightPhase::Flying);
  EXPECT_EQ(a.throttleIndex, 3u);
}

class OutOfTrack : public MotionFixture {
 protected:
  // Runs the motion steps of the aircraft at their due cycles until it is removed.
  void runUntilRemoved(LiveAircraft& a) {
    for (int i = 0; i < 100 && a.state == SimState::Active; ++i) {
      const int32_t due = a.history.front().stamp;
      cycleNumber().store(due);
      nextPosMain(context, a, due);
    }
  }
};

TEST_F(OutOfTrack, AnAirborneAircraftFliesEightExtrapolatedPointsWithinTheRangeLessHalfAMile) {
  RANGE.set(10);
  updateTrafficRadius();
  const double radius = trafficRadius().nm.load();
  // 0.4 nm inside the margin: extrapolated; 0.6 nm inside: removed at once.
  const double insideDeg = (radius - 0.6) / 60.0;
  LiveAircraft& a = active(4800001, {point(47.4647 + insideDeg, 8.5492, 5000.0, 0, 240)});
  runUntilRemoved(a);
  EXPECT_EQ(countEvents("4800001 motion 4 "), 8u);
  for (int k = 8; k >= 1; --k) EXPECT_TRUE(hasEvent(fmt::format("4800001 motion 4 {}", k))) << k;
  EXPECT_TRUE(hasEvent("4800001 remove out-of-track active"));

  LiveAircraft& b = active(4800002, {point(47.4647 + (radius - 0.4) / 60.0, 8.5492, 5000.0, 0, 240)});
  runUntilRemoved(b);
  EXPECT_EQ(countEvents("4800002 motion 4 "), 0u);
  EXPECT_TRUE(hasEvent("4800002 remove out-of-track active"));
}

TEST_F(OutOfTrack, ExtrapolatedPointsFlyOnAlongTheHeadingAtFallingSpeed) {
  LiveAircraft& a = active(4800003, {point(47.0, 8.0, 5000.0, 0, 200)});
  a.block.heading = 0.0;
  nextPosMain(context, a, 0);
  ASSERT_EQ(a.history.size(), 1u);
  const TrackPoint& x = a.history.front();
  EXPECT_EQ(x.groundSpeed, 190.0);
  const double distanceNm = gf_distanceNm({47.0, 8.0}, {x.lat, x.lon});
  EXPECT_NEAR(distanceNm, 190.0 * 8 / 3600, 1e-6);
  // Due 800 cycles later, then re-timed at the mean of both speeds as the hold runs.
  EXPECT_EQ(x.stamp, std::lround(distanceNm * 360000 / 195.0));
  EXPECT_GT(x.lat, 47.0);
}

TEST_F(OutOfTrack, ATaxiingAircraftStandsForAtMostTheHoldingTimeOrGoesAtOnceBesideAnother) {
  MAX_HOLDING_MINUTES.set(1);
  LiveAircraft& a = active(4800004, {point(47.45, 8.55, 0.0, 0, 10)}, true);
  nextPosMain(context, a, 0);
  EXPECT_TRUE(a.distanceWatch);
  EXPECT_EQ(a.motion.holdCount, 1);
  EXPECT_TRUE(a.history.front().stationary);
  EXPECT_EQ(a.history.front().stamp, 300);
  runUntilRemoved(a);
  EXPECT_EQ(a.state, SimState::RemovingFromSim);
  EXPECT_GT(cycleNumber().load(), 6000);
  EXPECT_LE(cycleNumber().load(), 6300);

  LiveAircraft& b = active(4800005, {point(47.46, 8.55, 0.0, 0, 10)}, true);
  LiveAircraft& other = active(4800006, {point(47.46, 8.5502, 0.0, 0, 10)}, true);
  other.block.lon = 8.5502;
  nextPosMain(context, b, 0);
  EXPECT_EQ(b.state, SimState::RemovingFromSim);
  EXPECT_FALSE(b.distanceWatch);
}

TEST_F(OutOfTrack, AReportAfterExtrapolationEndsTheHoldUnlessItLiesBehind) {
  LiveAircraft& a = active(4800007, {point(47.0, 8.0, 5000.0, 0, 200)});
  a.block.heading = 0.0;
  cycleNumber().store(0);
  nextPosMain(context, a, 0);
  ASSERT_EQ(a.motion.holdCount, 8);
  EXPECT_FALSE(checkExtendingSituations(a, point(46.9, 8.0, 5000.0, 900, 200)));
  EXPECT_TRUE(checkExtendingSituations(a, point(47.1, 8.0, 5000.0, 900, 200)));
  EXPECT_EQ(a.motion.holdCount, 0);
  EXPECT_EQ(a.history.front().stamp, 1);
}

}  // namespace
}  // namespace tfx::test
