// Live aircraft on the ground: the manner of each leg, the try to park, the
// drive onto a stand, the arrival, stand claims at spawn and the parking
// limits.
#include "core/parameters.h"
#include "ground_fixture.h"
#include "traffic/ground_step.h"
#include "traffic/motion_math.h"
#include "traffic/motion_step.h"
#include "traffic/parked_learning.h"
#include "traffic/parking_limits.h"
#include "traffic/spawn.h"
#include "traffic/stand_arrival.h"
#include "traffic/stand_parking.h"
#include "traffic/static_objects.h"

namespace tfx::test {
namespace {

using GroundParking = GroundFixture;

TEST_F(GroundParking, AStand21MetresAwayIsFoundWideButNotNarrow) {
  const airports::Stand& stand = addStand(kApron);
  LiveAircraft& a = taxiing(0x4b0001, {groundPoint(offset(kApron, 90.0, 21.0), 0, 0.0, true)});
  EXPECT_FALSE(try2Park(ground, a, false));
  EXPECT_EQ(a.phase, FlightPhase::Taxi);
  // The same newest point is not tried twice.
  EXPECT_FALSE(try2Park(ground, a, true));
  a.motion.lastParkAttempt = {};
  ASSERT_TRUE(try2Park(ground, a, true));
  EXPECT_EQ(a.phase, FlightPhase::Parking);
  EXPECT_EQ(a.standId, static_cast<uint32_t>(stand.index));
  ASSERT_EQ(a.history.size(), 3u);
  EXPECT_TRUE(a.history[2].stationary);
  EXPECT_EQ(a.history[2].stamp - a.history[1].stamp, 50);
  EXPECT_DOUBLE_EQ(a.predictedTrack, a.standHeading);
}

TEST_F(GroundParking, A100MetreDriveAt3KnotsTakesItsTravelTimeAShortOneOneSecond) {
  addStand(kApron);
  LiveAircraft& heavy = taxiing(0x4b0002, {groundPoint(offset(kApron, 180.0, 100.0), 1000)});
  heavy.standSpeed = 3.0;
  heavy.standPosition = kApron;
  drive2Stand(heavy);
  ASSERT_EQ(heavy.history.size(), 3u);
  // round(0.054 x 360000 / 3): about 65 seconds.
  EXPECT_NEAR(heavy.history[1].stamp - 1000, 6480, 2);
  EXPECT_EQ(heavy.history[1].groundSpeed, 3.0);
  EXPECT_EQ(heavy.history[0].groundSpeed, 3.0);

  LiveAircraft& near = taxiing(0x4b0003, {groundPoint(offset(kApron, 180.0, 1.0), 1000)});
  near.standPosition = kApron;
  drive2Stand(near);
  EXPECT_EQ(near.history[1].stamp - 1000, 100);
}

TEST_F(GroundParking, TheDriveEndsOnTheStandFacingItParkedLitAndOccupying) {
  const airports::Stand& stand = addStand(kApron, 270.0);
  LiveAircraft& a = taxiing(0x4b0004, {groundPoint(offset(kApron, 135.0, 15.0), 0, 3.0),
                                       groundPoint(offset(kApron, 135.0, 15.0), 200, 0.0, true)});
  a.block.heading = 1.0;
  runGround(2);
  ASSERT_EQ(a.phase, FlightPhase::Parking) << "a slow aircraft near its still newest point tries to park";
  runGround(6000);
  EXPECT_EQ(a.phase, FlightPhase::Parked);
  EXPECT_LT(standDistanceM(a), 2.0);
  EXPECT_LT(standHeadingErrorDeg(a), 1.0);
  EXPECT_TRUE(stand.liveOccupied);
  EXPECT_TRUE(hasEvent("4915204 stand arrived"));
  EXPECT_EQ(a.state, SimState::Active) << "a parked aircraft holds on its stand";
  EXPECT_TRUE(sends(takeEvents(), sim::kEvEngineAutoShutdown, 0));
}

TEST_F(GroundParking, AnArrivalAwayFromTheStandTaxisAgainOneOnATakenStandGoes) {
  airports::Stand& stand = addStand(kApron);
  LiveAircraft& a = taxiing(0x4b0005, {groundPoint(kApron, 0)});
  takeStand(a, stand);
  a.phase = FlightPhase::Parking;
  a.block.lat = offset(kApron, 0.0, 3.0).lat;
  EXPECT_EQ(arriveAtStand(ground, a), Arrival::Missed);
  EXPECT_EQ(a.phase, FlightPhase::Taxi);

  a.phase = FlightPhase::Parking;
  a.block.lat = kApron.lat;
  stand.liveOccupied = true;
  EXPECT_EQ(arriveAtStand(ground, a), Arrival::Removed);
  EXPECT_EQ(a.state, SimState::RemovingFromSim);
  EXPECT_TRUE(stand.liveOccupied);
}

TEST_F(GroundParking, ParkingNextToATooCloseParkedAircraftRemovesTheOlderOne) {
  const airports::Stand& first = addStand(kApron);
  const airports::Stand& second = addStand(offset(kApron, 90.0, 30.0));
  const airports::Stand& far = addStand(offset(kApron, 90.0, 90.0));
  LiveAircraft& older = parkedOn(0x4b0006, first);
  LiveAircraft& distant = parkedOn(0x4b0007, far);
  LiveAircraft& onStand = parkedOn(0x4b0008, second);
  LiveAircraft& parking = taxiing(0x4b0009, {groundPoint(offset(second.position(), 0.0, 10.0), 0, 0.0, true)});
  ASSERT_TRUE(try2Park(ground, parking, false));
  EXPECT_EQ(older.state, SimState::RemovingFromSim) << "30 m apart, 1.1 x 35.8 m of summed half spans";
  EXPECT_EQ(onStand.state, SimState::RemovingFromSim);
  EXPECT_EQ(distant.state, SimState::Active);
  EXPECT_TRUE(hasEvent("4915206 remove parking-conflict active"));
  EXPECT_FALSE(first.liveOccupied);
}

TEST_F(GroundParking, TheReservedStandAndTheUsersStandAreNeverTaken) {
  addStand(kApron);
  const airports::Stand& users = addStand(offset(kApron, 0.0, 200.0));
  parking.parking.statics.reservedStand = "S1";
  LiveAircraft& a = taxiing(0x4b000a, {groundPoint(kApron, 0, 0.0, true)});
  EXPECT_FALSE(try2Park(ground, a, true));
  simulator.user = offset(users.position(), 90.0, 10.0);
  a.history.back().lat = users.lat;
  a.history.back().lon = users.lon;
  EXPECT_FALSE(try2Park(ground, a, true));
  simulator.user = {47.47, 8.53};
  a.motion.lastParkAttempt = {};
  EXPECT_TRUE(try2Park(ground, a, true));
}

TEST_F(GroundParking, StaticAircraftOnTheStandMakeWay) {
  const airports::Stand& stand = addStand(kApron);
  airports::StaticToCreate entry{.aircraft = {.standIndex = 1, .callsign = "SWR9"}, .hexid = 7};
  queueStaticCreate(state, entry, {.stand = stand, .liveryTitle = "t", .halfWingspanNm = 0.01});
  LiveAircraft& a = taxiing(0x4b000b, {groundPoint(kApron, 0, 0.0, true)});
  ASSERT_TRUE(try2Park(ground, a, false));
  EXPECT_TRUE(state.staticRecords.empty());
  EXPECT_TRUE(state.staticCreateQueue.empty());
  EXPECT_TRUE(hasEvent("7 static-remove makes-way"));
}

TEST_F(GroundParking, AnAircraftThatJustLeftAStandDoesNotParkAgain) {
  addStand(kApron);
  LiveAircraft& a = taxiing(0x4b000c, {groundPoint(kApron, 0, 2.0), groundPoint(kApron, 100, 0.0, true)});
  a.previousPhase = FlightPhase::PushedBack;
  makeOneStep(ground, a, 0);
  EXPECT_EQ(a.phase, FlightPhase::Taxi);
  a.previousPhase = FlightPhase::Taxi;
  a.history.push_front(groundPoint(kApron, 0, 2.0));
  makeOneStep(ground, a, 0);
  EXPECT_EQ(a.phase, FlightPhase::Parking);
}

TEST_F(GroundParking, ATurnBecomesACurveThatReachesTheThirdPointOnTime) {
  const LatLon start = kApron;
  const LatLon corner = offset(start, 0.0, 40.0);
  const LatLon end = offset(corner, 30.0, 40.0);
  LiveAircraft& a = taxiing(0x4b000d, {groundPoint(start, 0), groundPoint(corner, 800), groundPoint(end, 1600)});
  runGround(1);
  EXPECT_EQ(a.motion.curveDefinition, 1);
  EXPECT_EQ(a.history.size(), 1u) << "the corner left the history";
  runGroundUntil(1600);
  EXPECT_LT(gf_distanceNm(positionOf(a.block), end) * kMetersPerNm, 0.5);
  EXPECT_NEAR(a.block.heading * kRadToDeg, 30.0, 1.0);
}

TEST_F(GroundParking, ASlowSharpTurnRunsStraightThenCurvesKeepingTheDueCycles) {
  const LatLon corner = offset(kApron, 0.0, 100.0);
  const LatLon end = offset(corner, 90.0, 60.0);
  LiveAircraft& a = taxiing(0x4b000e, {groundPoint(kApron, 0, 10.0), groundPoint(corner, 1000, 10.0),
                                       groundPoint(end, 1600, 10.0)});
  runGround(1);
  EXPECT_EQ(a.motion.curveDefinition, 0) << "straight first";
  ASSERT_GE(a.history.size(), 2u);
  EXPECT_NEAR(gf_distanceNm(positionOf(a.history[0]), corner) * kMetersPerNm, 25.0, 0.5);
  EXPECT_EQ(a.history[0].stamp, 750);
  runGroundUntil(760);
  EXPECT_EQ(a.motion.curveDefinition, 1);
  runGroundUntil(1600);
  EXPECT_LT(gf_distanceNm(positionOf(a.block), end) * kMetersPerNm, 0.5);
  EXPECT_GE(a.block.heading, 0.0);
  EXPECT_LT(a.block.heading, kTwoPi);
}

TEST_F(GroundParking, ASpeedChangeOverALongLegPutsAPointBetweenAndTheHeadingErrorIsFlagged) {
  const LatLon next = offset(kApron, 90.0, 300.0);
  LiveAircraft& a = taxiing(0x4b000f, {groundPoint(kApron, 0, 5.0), groundPoint(next, 3000, 20.0)});
  a.block.heading = 0.0;
  runGround(1);
  ASSERT_EQ(a.history.size(), 2u);
  EXPECT_NEAR(gf_distanceNm(positionOf(a.history[0]), kApron) * kMetersPerNm, 150.0, 0.5);
  EXPECT_EQ(a.history[0].groundSpeed, 12.5);
  EXPECT_EQ(a.history[0].stamp, 1500);
  EXPECT_TRUE(a.motion.headingError);
  EXPECT_NEAR(a.motion.headingErrorDeg, 90.0, 0.5);
}

TEST_F(GroundParking, ASpawnOnAStandStartsParkedAndClaimsIt) {
  const airports::Stand& stand = addStand(kApron, 90.0);
  LiveAircraft& holder = parkedOn(0x4b0010, stand);
  holder.callsign = "SWR10";
  LiveAircraft& a = state.liveList.emplace_back();
  a.hexid = 0x4b0011;
  a.callsign = "EZY11";
  a.type = "A320";
  a.halfWingspan = kA320HalfSpanNm;
  a.history.push_back(groundPoint(offset(kApron, 0.0, 10.0), 0, 0.0, true));
  a.history.push_back(groundPoint(offset(kApron, 0.0, 10.0), 100, 0.0, true));
  spawnLiveAc(ground, a);
  EXPECT_EQ(a.phase, FlightPhase::Parked);
  EXPECT_EQ(a.standId, 1u);
  EXPECT_DOUBLE_EQ(a.history.front().lat, kApron.lat);
  EXPECT_EQ(holder.state, SimState::RemovingFromSim);
  EXPECT_TRUE(stand.liveOccupied);

  // Its ghost does not take the stand from it.
  LiveAircraft& ghost = state.liveList.emplace_back();
  ghost.hexid = 0x4b0012;
  ghost.callsign = "EZY11_";
  ghost.halfWingspan = kA320HalfSpanNm;
  ghost.history = a.history;
  ghost.history.push_back(ghost.history.front());
  a.state = SimState::Active;
  spawnLiveAc(ground, ghost);
  EXPECT_TRUE(ghost.drop);
  EXPECT_EQ(a.state, SimState::Active);
}

TEST_F(GroundParking, AnAircraftStillBeingCreatedOnAStandHoldsIt) {
  airports::Stand& stand = addStand(kApron);
  LiveAircraft& coming = parkedOn(0x4b0030, stand);
  coming.state = SimState::Adding2Sim;
  state.addingStack.push_back(coming.hexid);
  LiveAircraft& other = parkedOn(0x4b0031, stand);
  releaseStand(ground, other);
  EXPECT_TRUE(stand.liveOccupied) << "the one being created still stands there";
  LiveAircraft& parking = taxiing(0x4b0032, {groundPoint(kApron, 0, 0.0, true)});
  ASSERT_TRUE(try2Park(ground, parking, false));
  EXPECT_TRUE(coming.cancelled);
  EXPECT_TRUE(state.addingStack.empty());
}

TEST_F(GroundParking, OverTheLimitTheLongestParkedLiveAircraftGoesThenAStaticOne) {
  MAX_PARK_SEL.set(10);
  for (int i = 0; i < 12; ++i) {
    LiveAircraft& a = parkedOn(0x4c0000 + static_cast<uint32_t>(i), addStand(offset(kApron, 90.0, 100.0 * i)));
    a.parkedSince = 100 - i;
  }
  StaticRecord& parkedStatic = state.staticRecords.emplace_back();
  parkedStatic.aircraft.hexid = 5;
  parkedStatic.objectId = 90;
  parkedStatic.active = true;
  applyParkingLimits(ground);
  EXPECT_TRUE(hasEvent("5 static-remove max-park"));
  EXPECT_EQ(aircraft(0x4c000b).state, SimState::RemovingFromSim) << "parked longest";
  EXPECT_TRUE(hasEvent("4980747 remove max-park active"));
  INITIAL_LOAD_ONLY.set(true);
  applyParkingLimits(ground);
  EXPECT_EQ(aircraft(0x4c000a).state, SimState::Active);
  INITIAL_LOAD_ONLY.set(false);
  MAX_PARK_SEL.set(500);
}

TEST_F(GroundParking, LearningRecordsAParkedAircraftOnceAndAtEachNewHalfHourWhileAllowed) {
  const airports::Stand& stand = addStand(kApron);
  parking.parking.statics.learnSoftAllowed = true;
  LEARN_SOFT.set(true);
  LiveAircraft& a = parkedOn(0x4b0020, stand);
  a.registration = "HB-JLT";
  learnParked(ground, a, false);
  ASSERT_EQ(stand.options.size(), 1u);
  EXPECT_TRUE(stand.options[0].halfHours.test(20));
  parking.now = {3, 21};
  learnParkedEachHalfHour(ground);
  ASSERT_EQ(stand.options.size(), 1u);
  EXPECT_TRUE(stand.options[0].halfHours.test(21)) << "stood there without interruption";
  parking.now = {3, 22};
  parking.parking.statics.learnSoftAllowed = false;
  learnParkedEachHalfHour(ground);
  EXPECT_FALSE(stand.options[0].halfHours.test(22));
  parking.parking.statics.learnSoftAllowed = true;
  LEARN_SOFT.set(false);
  learnParkedEachHalfHour(ground);
  EXPECT_FALSE(stand.options[0].halfHours.test(22));
}

}  // namespace
}  // namespace tfx::test
