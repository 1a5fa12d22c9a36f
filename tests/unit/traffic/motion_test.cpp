// The motion step of live aircraft: leg timing, re-timing, the climb of each
// kind of air leg, the approach rate, and the shown position kept on the earth.
#include <cmath>

#include "traffic/air_leg.h"
#include "traffic/air_retiming.h"
#include "traffic/cycle_step.h"
#include "traffic/motion_math.h"
#include "traffic/motion_step.h"
#include "motion_fixture.h"

namespace tfx::test {
namespace {

class Motion : public MotionFixture {};

constexpr double kOneNm = 1.0 / 60.0;  // degrees of latitude

TEST_F(Motion, ALegTakesAtLeast25CyclesAlsoWhenItsPointIsOverdue) {
  for (const int32_t due : {1000 + 10, 1000 - 400}) {
    LiveAircraft& a = active(4500000 + static_cast<uint32_t>(due),
                             {point(47.0, 8.0, 0.0, 900, 20.0), point(47.001, 8.002, 0.0, due, 20.0)}, true);
    makeOneStep(context, a, 1000);
    EXPECT_NEAR(a.motion.latStep, 0.001 / 25, 1e-15) << due;
    EXPECT_NEAR(a.motion.lonStep, 0.002 / 25, 1e-15) << due;
    EXPECT_EQ(a.history.size(), 1u);
  }
  LiveAircraft& b = active(4500100, {point(47.0, 8.0, 0.0, 900, 20.0), point(47.001, 8.0, 0.0, 1400, 20.0)}, true);
  makeOneStep(context, b, 1000);
  EXPECT_NEAR(b.motion.latStep, 0.001 / 400, 1e-15);
}

TEST_F(Motion, TheAirStepRetimesTheNextPointWithinItsTolerances) {
  // One nautical mile at 360 knots: 1000 cycles.
  const auto retimed = [&](int32_t due, int32_t hold, bool landing = false, double speed = 360.0) {
    LiveAircraft a;
    a.motion.holdCount = hold;
    a.motion.landing = landing;
    a.history.push_back(point(47.0, 8.0, 3000.0, 10000, speed));
    a.history.push_back(point(47.0 + kOneNm, 8.0, landing ? 0.0 : 3000.0, due, speed));
    retimeAirLeg(a, 10000);
    return a.history[1].stamp;
  };
  EXPECT_EQ(retimed(12000, 0), 11000);
  EXPECT_EQ(retimed(15000, 0), 12000);  // at most 3000 cycles earlier
  EXPECT_EQ(retimed(7000, 0), 10000);  // at most 3000 later (10000), never before now
  EXPECT_EQ(retimed(6000, 0), 10000);
  EXPECT_EQ(retimed(30000, 4), 11000);  // during a hold as it is
  // Landing towards a ground point: the current point's speed, 100 knots when it has none.
  EXPECT_EQ(retimed(14000, 0, true, 0.0), 13600);
  // A stationary next point keeps its due cycle.
  LiveAircraft b;
  b.history.push_back(point(47.0, 8.0, 3000.0, 0));
  b.history.push_back(point(47.0, 8.0, 3000.0, 4321));
  b.history[1].stationary = true;
  retimeAirLeg(b, 100);
  EXPECT_EQ(b.history[1].stamp, 4321);
}

TEST_F(Motion, EqualPointsGiveZeroIncrementsAndLeaveThePredictedTrack) {
  LiveAircraft& a = active(4500200, {point(47.0, 8.0, 0.0, 0, 0.0), point(47.0, 8.0, 0.0, 500, 0.0)}, true);
  a.motion.latStep = 1.0;
  a.motion.lonStep = 1.0;
  a.predictedTrack = 1.25;
  makeOneStep(context, a, 0);
  EXPECT_EQ(a.motion.latStep, 0.0);
  EXPECT_EQ(a.motion.lonStep, 0.0);
  EXPECT_EQ(a.predictedTrack, 1.25);
  EXPECT_TRUE(a.history.front().stationary);
  EXPECT_EQ(a.motion.earlyTolerance, 2900);
  EXPECT_EQ(a.motion.lateTolerance, 2900);
}

class AirLeg : public MotionFixture {
 protected:
  // A leg of 100 cycles from `from` to `to`, the aircraft shown at `shown` ft.
  double climbOf(TrackPoint from, TrackPoint to, double shown, double agl = 3000.0, bool landing = false) {
    from.stamp = 0;
    to.stamp = 100;
    to.lat = from.lat + 0.01;
    LiveAircraft& a = active(next_++, {from, to});
    a.block.altitude = shown;
    a.altitudeAboveGround = agl;
    a.motion.landing = landing;
    airLegSetUp(context, a, 100);
    last_ = &a;
    return a.motion.climbStep;
  }
  uint32_t next_ = 4510000;
  LiveAircraft* last_ = nullptr;
};

TEST_F(AirLeg, LiftOffLegClimbsToTheNextPointWithinTheClimbLimit) {
  EXPECT_DOUBLE_EQ(climbOf(point(47.0, 8.0, 0.0, 0), point(47.0, 8.0, 1450.0, 0), 1416.0), 0.34);
  EXPECT_DOUBLE_EQ(climbOf(point(47.0, 8.0, 0.0, 0), point(47.0, 8.0, 2500.0, 0), 1416.0), 0.6);
  EXPECT_DOUBLE_EQ(climbOf(point(47.0, 8.0, 0.0, 0), point(47.0, 8.0, 1400.0, 0), 1416.0), 0.0);
}

TEST_F(AirLeg, LandingLegAimsAtTheFieldOrDescendsAtTheApproachRate) {
  setParkAirport(1416.0);
  EXPECT_DOUBLE_EQ(climbOf(point(47.0, 8.0, 1516.0, 0, 140, -700), point(47.0, 8.0, 0.0, 0, 140, -800), 1516.0), -1.0);
  airports::parkAirport() = {};
  EXPECT_DOUBLE_EQ(climbOf(point(47.0, 8.0, 1516.0, 0, 140, -700), point(47.0, 8.0, 0.0, 0, 140, -800), 1516.0),
                   -601.0 / 6000.0);
  EXPECT_EQ(last_->history[1].verticalSpeed, -601.0);
  publishedQnh() = 1020;
  // Mean -750 less 7 hPa x 6.
  EXPECT_DOUBLE_EQ(climbOf(point(47.0, 8.0, 1516.0, 0, 140, -700), point(47.0, 8.0, 0.0, 0, 140, -800), 1516.0, 500),
                   -792.0 / 6000.0);
  EXPECT_DOUBLE_EQ(climbOf(point(47.0, 8.0, 1516.0, 0, 140, -700), point(47.0, 8.0, 0.0, 0, 140, -800), 1516.0, 80),
                   -600.0 / 6000.0);
}

TEST_F(AirLeg, ApproachRateIsNeverAboveMinus601) {
  LiveAircraft a;
  a.altitudeAboveGround = 500.0;
  EXPECT_EQ(approachRate(a, point(0, 0, 1, 0, 100, 200), point(0, 0, 1, 0, 100, 300)), -601.0);
  publishedQnh() = 1003;
  EXPECT_EQ(approachRate(a, point(0, 0, 1, 0, 100, -900), point(0, 0, 1, 0, 100, -700)), -740.0);
  a.altitudeAboveGround = 100.0;
  EXPECT_EQ(approachRate(a, point(0, 0, 1, 0, 100, -900), point(0, 0, 1, 0, 100, -700)), -600.0);
}

TEST_F(AirLeg, AirborneLegsClimbWithinTheLimitAndLowOnesNeverDescendUnlessLanding) {
  EXPECT_DOUBLE_EQ(climbOf(point(47.0, 8.0, 5000.0, 0), point(47.0, 8.0, 4500.0, 0), 5000.0), -5.0);
  EXPECT_DOUBLE_EQ(climbOf(point(47.0, 8.0, 5000.0, 0), point(47.0, 8.0, 6000.0, 0), 5000.0), 0.6);
  EXPECT_DOUBLE_EQ(climbOf(point(47.0, 8.0, 2000.0, 0), point(47.0, 8.0, 1900.0, 0), 2000.0, 900.0), 0.2);
  EXPECT_DOUBLE_EQ(climbOf(point(47.0, 8.0, 2000.0, 0), point(47.0, 8.0, 2050.0, 0), 2000.0, 900.0), 0.5);
  // Landing: towards the next point, or the approach rate on a level leg low above the ground.
  EXPECT_DOUBLE_EQ(climbOf(point(47.0, 8.0, 2000.0, 0), point(47.0, 8.0, 1900.0, 0), 2000.0, 900.0, true), -1.0);
  EXPECT_DOUBLE_EQ(climbOf(point(47.0, 8.0, 2000.0, 0, 140, 40), point(47.0, 8.0, 2000.0, 0, 140, 40), 2000.0, 900.0,
                           true),
                   -601.0 / 6000.0);
}

TEST_F(AirLeg, GroundLegOfAnAircraftInTheAirClimbsAtLeast601OrTowardsTheFirstAirbornePointAhead) {
  EXPECT_DOUBLE_EQ(climbOf(point(47.0, 8.0, 0.0, 0, 150, 100), point(47.0, 8.0, 0.0, 0, 150, 300), 1416.0), 601.0 / 6000);
  EXPECT_EQ(last_->history[1].verticalSpeed, 601.0);
  EXPECT_TRUE(sends(takeEvents(), sim::kEvGear, 1));
  // Points 3 to 10 hold an airborne one: the leg climbs towards it by its due cycle.
  TrackPoint from = point(47.0, 8.0, 0.0, 0, 150, 100);
  TrackPoint to = point(47.01, 8.0, 0.0, 100, 150, 300);
  LiveAircraft& a = active(4520000, {from, to, point(47.02, 8.0, 0.0, 200), point(47.03, 8.0, 1566.0, 300, 150, 1500)});
  a.block.altitude = 1416.0;
  airLegSetUp(context, a, 100);
  EXPECT_DOUBLE_EQ(a.motion.climbStep, 0.5);
  // A landing aircraft descends at the approach rate instead.
  EXPECT_DOUBLE_EQ(climbOf(point(47.0, 8.0, 0.0, 0, 150, 100), point(47.0, 8.0, 0.0, 0, 150, 300), 1416.0, 500, true),
                   -601.0 / 6000);
}

TEST_F(AirLeg, PitchHeadingAndBankStayWithinTheCategorySteps) {
  LiveAircraft& a = active(4530000, {point(47.0, 8.0, 5000.0, 0, 250, 3000), point(47.01, 8.0, 5100.0, 100, 250, 3000),
                                     point(47.01, 8.01, 5200.0, 200)});
  airLegSetUp(context, a, 100);
  EXPECT_DOUBLE_EQ(a.motion.pitchStep, -0.00013089969389957473);  // nose up, at most 0.0075 degrees a cycle
  EXPECT_NEAR(a.motion.headingRate * 100, gf_bearingRad({47.01, 8.0}, {47.01, 8.01}), 1e-12);
  EXPECT_DOUBLE_EQ(a.motion.bankStep, -0.00034906585039886593);  // right turn, bank to the right
  EXPECT_EQ(a.phase, FlightPhase::Flying);
}

TEST(MotionMath, HeadingLongitudeAndLatitudeStayInRange) {
  EXPECT_NEAR(wrapHeading(-0.1), kTwoPi - 0.1, 1e-12);
  EXPECT_EQ(wrapHeading(kTwoPi), 0.0);
  EXPECT_NEAR(wrapHeading(7.0), 7.0 - kTwoPi, 1e-12);
  EXPECT_GE(wrapHeading(-1e-18), 0.0);
  EXPECT_LT(wrapHeading(-1e-18), kTwoPi);
  const auto kept = [](double lat, double lon) {
    sim::PositionBlock block;
    block.lat = lat;
    block.lon = lon;
    keepOnEarth(block);
    return std::pair{block.lat, block.lon};
  };
  EXPECT_EQ(kept(10.0, 180.0), std::pair(10.0, -180.0));
  EXPECT_EQ(kept(10.0, 190.0), std::pair(10.0, -170.0));
  EXPECT_EQ(kept(10.0, -180.5), std::pair(10.0, 179.5));
  EXPECT_EQ(kept(91.0, 10.0), std::pair(89.0, -170.0));
  EXPECT_EQ(kept(-95.0, 100.0), std::pair(-85.0, -80.0));
  EXPECT_NEAR(angleDifference(-M_PI), M_PI, 1e-15);
}

TEST_F(Motion, ThePerCycleStepCrossesTheDateLineTheShortWayAndKeepsTheHeadingInRange) {
  LiveAircraft& a = active(4540000, {point(47.0, 179.999, 5000.0, 0, 250), point(47.0, -179.999, 5000.0, 100, 250)});
  makeOneStep(context, a, 0);
  const int32_t legCycles = a.history.front().stamp;
  EXPECT_NEAR(a.motion.lonStep, 0.002 / legCycles, 1e-12);
  a.block.heading = kTwoPi - 0.005;
  a.motion.headingRate = 0.0001;
  for (int i = 0; i < legCycles; ++i) {
    movePerCycle(context, a);
    ASSERT_GE(a.block.lon, -180.0);
    ASSERT_LT(a.block.lon, 180.0);
    ASSERT_GE(a.block.heading, 0.0);
    ASSERT_LT(a.block.heading, kTwoPi);
  }
  EXPECT_NEAR(a.block.lon, -179.999, 1e-9);
}

}  // namespace
}  // namespace tfx::test
