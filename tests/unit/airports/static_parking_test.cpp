// Static parking: the wanted count, the rounds of growing fit, what refuses
// an option, creation order and hexids, and the 20-minute renewal.
#include <gtest/gtest.h>

#include <algorithm>

#include "airports/static_creation.h"
#include "airports/static_parking.h"
#include "airports/static_renewal.h"
#include "airports/stand_geometry.h"
#include "airports/static_selection.h"
#include "core/log.h"
#include "static_parking_fixture.h"

namespace tfx::airports {
namespace {

class StaticParkingTest : public ::testing::Test, public test::ParkFixture {
 protected:
  std::vector<StaticAircraft> calc(int day, int halfHour) {
    lf_calcStaticParking(state, traffic, user, test::timeAt(day, halfHour));
    std::vector<StaticAircraft> list = state.statics.staticList;
    sortByFitAndStand(list);
    return list;
  }
  std::vector<std::string> chosenStands(int day, int halfHour) {
    std::vector<std::string> ids;
    for (const StaticAircraft& aircraft : calc(day, halfHour)) ids.push_back(standOf(aircraft));
    return ids;
  }
};

TEST_F(StaticParkingTest, WantedCountBySizeAndPercentage) {
  EXPECT_EQ(lf_wantedStaticCount(0).count, 1);
  EXPECT_EQ(lf_wantedStaticCount(1).count, 1);
  EXPECT_EQ(lf_wantedStaticCount(3).count, 1);
  EXPECT_EQ(lf_wantedStaticCount(10).count, 3);
  parking_percentage.set(50);
  EXPECT_EQ(lf_wantedStaticCount(3).count, 2);  // round(1.5)
  CUSTOM_PARKING_PERCENTAGE.set(0);
  EXPECT_EQ(lf_wantedStaticCount(10).count, 0);
  EXPECT_EQ(lf_wantedStaticCount(10).percentage, 0);
  CUSTOM_PARKING_PERCENTAGE.set(-1);
  parking_percentage.set(30);
  MAX_PARK_SEL.set(10);
  const WantedCount limited = lf_wantedStaticCount(100);
  EXPECT_EQ(limited.count, 10);
  EXPECT_EQ(limited.percentage, 10);
  EXPECT_EQ(lf_wantedStaticCount(20).percentage, 30);  // 6 wanted, below the limit
}

TEST_F(StaticParkingTest, MidnightOnMondayLooksAtSundayEvening) {
  EXPECT_EQ(shiftedBack({1, 0}, 1), (DayHalfHour{7, 47}));
  EXPECT_EQ(shiftedBack({3, 0}, 1), (DayHalfHour{2, 47}));
  EXPECT_EQ(shiftedBack({3, 5}, 5), (DayHalfHour{3, 0}));
  makeStands(1);
  addOption(1, "SWR1", 7, {47});
  const std::vector<StaticAircraft> list = calc(1, 0);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].fit, 1);
  EXPECT_EQ(state.statics.shown.realFit, 1);
}

TEST_F(StaticParkingTest, WeekMatchesAnyDay) {
  makeStands(1);
  addOption(1, "SWR1", 5, {20});
  MAX_FIT.set(0);
  EXPECT_TRUE(calc(3, 20).empty());
  WEEK.set(true);
  EXPECT_EQ(calc(3, 20).size(), 1u);
}

TEST_F(StaticParkingTest, TheRoundReachingTheWantedCountIsSortedAndCutFromItsEnd) {
  makeStands(10);  // 3 wanted
  addOption(8, "A8", 3, {20});
  addOption(9, "A9", 3, {20});
  for (const int index : {7, 5, 2}) addOption(index, "B", 3, {19});
  addOption(4, "C4", 3, {18});
  EXPECT_EQ(chosenStands(3, 20), (std::vector<std::string>{"S8", "S9", "S2"}));
  EXPECT_EQ(state.statics.shown.realFit, 1);
  EXPECT_EQ(state.statics.shown.softFit, -1);
  EXPECT_TRUE(state.statics.inProgress);
}

TEST_F(StaticParkingTest, SoftOptionsFillOnlyWhatRealOnesLeave) {
  makeStands(10);
  addOption(1, "R1", 3, {20});
  addOption(2, "S2", 3, {20}, "B738", "", "", 0);
  addOption(3, "S3", 3, {20}, "B738", "", "", 0);
  const std::vector<StaticAircraft> list = calc(3, 20);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_FALSE(list[0].soft);
  EXPECT_TRUE(list[1].soft && list[2].soft);
  EXPECT_TRUE(state.statics.shown.softUsed);
  PARK_SOFT.set(false);
  EXPECT_EQ(calc(3, 20).size(), 1u);
  PARK_FAKE.set(true);
  EXPECT_EQ(calc(3, 20).size(), 3u);
}

TEST_F(StaticParkingTest, ReservedUserAndHelicopterStandsStayEmpty) {
  makeStands(4);
  parking_percentage.set(100);
  for (int index = 1; index <= 4; ++index) addOption(index, "X" + std::to_string(index), 2, {0});
  stand(4).heli = true;
  state.statics.reservedStand = "S1";
  user.position = {stand(2).lat + 0.0001, stand(2).lon};  // 11 m from S2
  EXPECT_EQ(chosenStands(2, 0), (std::vector<std::string>{"S3", "S4"}));
  HELICOPTERS.set(false);
  EXPECT_EQ(chosenStands(2, 0), (std::vector<std::string>{"S3"}));
  EXPECT_TRUE(stand(1).blocked && stand(2).blocked);
}

TEST_F(StaticParkingTest, OverlappingStandsNeverBothTakenAndZeroRadiusStandsAreUsable) {
  makeStands(4);
  parking_percentage.set(100);
  stand(2).lat = stand(1).lat + 0.0001;  // 11 m apart, both 20 m radius
  stand(3).radius = 0.0;
  buildOverlapTable(state.stands.parkStands);
  for (int index = 1; index <= 4; ++index) addOption(index, "X" + std::to_string(index), 2, {0});
  EXPECT_EQ(chosenStands(2, 0), (std::vector<std::string>{"S1", "S3", "S4"}));
  EXPECT_TRUE(stand(2).overlapTaken);
}

TEST_F(StaticParkingTest, RegistrationsUsedOnceAndNamesInTheSimulatorRefused) {
  makeStands(4);
  parking_percentage.set(100);
  addOption(1, "A", 2, {0}, "B738", "", "HB-JXA");
  addOption(2, "B", 2, {0}, "B738", "", "HB-JXA");
  addOption(2, "B2", 1, {47});
  addOption(3, "LX1", 2, {0}, "B738", "LX2");
  addOption(4, "C", 2, {0}, "B738", "", "HB-JXD");
  traffic.names = {"LX2", "HB-JXD"};
  const std::vector<StaticAircraft> list = calc(2, 0);
  // The refused option is disabled for the calculation: S2 takes its second
  // option a round later; S3 and S4 have no other.
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(standOf(list[0]), "S1");
  EXPECT_EQ(standOf(list[1]), "S2");
  EXPECT_EQ(list[1].callsign, "B2");
  EXPECT_EQ(list[1].fit, 1);
  EXPECT_FALSE(traffic.askedEmpty);
  // Disabled options come back with the next calculation.
  traffic.names.clear();
  EXPECT_EQ(calc(2, 0).size(), 4u);
}

TEST_F(StaticParkingTest, CallsignsOfALiveAircraftOnTheStandArePreferredWithRandomChoices) {
  makeStands(1);
  RANDOM.set(true);
  for (int i = 0; i < 6; ++i) addOption(1, "SWR" + std::to_string(i), 2, {0});
  addOption(1, "KLM1", 2, {0}, "B738", "LX9");
  traffic.liveParked.push_back(parkedOn(1, 20000, "LX9"));
  for (int run = 0; run < 5; ++run) {
    const std::vector<StaticAircraft> list = calc(2, 0);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].callsign, "KLM1");
  }
}

TEST_F(StaticParkingTest, LiveAircraftOnAnOverlappingStandRefuseWideOptions) {
  makeStands(2);
  parking_percentage.set(100);
  stand(2).lat = stand(1).lat + 0.0003;  // 33 m apart
  stand(2).radius = 30.0 / 1852.0;
  buildOverlapTable(state.stands.parkStands);
  addOption(2, "WIDE", 2, {0}, "A388");
  addOption(2, "SMALL", 2, {0}, "C172");
  traffic.liveParked.push_back(parkedOn(1, 20000, "LIVE"));
  const std::vector<StaticAircraft> list = calc(2, 0);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].callsign, "SMALL");
}

TEST_F(StaticParkingTest, StaysWhenSeenInTheFollowingHalfHour) {
  makeStands(4);
  parking_percentage.set(100);
  addOption(1, "A", 2, {47}, "B738", "");
  addOption(2, "B", 2, {47}, "B738", "B2");
  addOption(3, "C", 2, {47}, "B738", "C2", "HB-C");
  addOption(3, "C", 3, {0}, "B738", "C2", "HB-C");
  addOption(4, "D", 2, {46, 47}, "B738", "D2");
  const std::vector<StaticAircraft> list = calc(2, 47);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_TRUE(list[0].stays);
  EXPECT_FALSE(list[1].stays);
  EXPECT_TRUE(list[2].stays);
  EXPECT_FALSE(list[3].stays);
  EXPECT_TRUE(calc(2, 46)[0].stays);  // D at 46, holding 47 too
}

TEST_F(StaticParkingTest, NothingFoundIsLoggedAndEndsStaticParking) {
  makeStands(3);
  LogCapture log;
  EXPECT_TRUE(calc(4, 10).empty());
  EXPECT_TRUE(log.contains("no parking positions found"));
  EXPECT_TRUE(log.contains("It is day 4 (Thu), 5.5 hours"));
  EXPECT_FALSE(state.statics.inProgress);
}

class StaticCreationTest : public StaticParkingTest {};

TEST_F(StaticCreationTest, NearestToTheUserIsCreatedFirst) {
  makeStands(5);
  parking_percentage.set(100);
  for (int index = 1; index <= 5; ++index) addOption(index, "X" + std::to_string(index), 2, {0});
  user.position = {stand(4).lat + 0.0002, 8.001};  // 79 m from S4, 117 m from S5
  calc(2, 0);
  std::vector<std::string> order;
  while (const std::optional<StaticToCreate> next = takeNextStatic(state, traffic)) order.push_back(standOf(next->aircraft));
  EXPECT_EQ(order, (std::vector<std::string>{"S4", "S5", "S3", "S2", "S1"}));
}

TEST_F(StaticCreationTest, LiveAircraftOnOrBesideTheStandDropTheEntry) {
  makeStands(4);
  parking_percentage.set(100);
  for (int index = 1; index <= 4; ++index) addOption(index, "X" + std::to_string(index), 2, {0});
  calc(2, 0);
  traffic.liveParked.push_back(parkedOn(2, 20000, "ON"));
  ParkedAircraft beside = parkedOn(4, 20001, "BESIDE");
  beside.standIndex = 0;
  beside.position.lat += 0.0003;  // 33 m: inside 1.1 x (17.9 + 17.9) m
  traffic.liveParked.push_back(beside);
  std::vector<std::string> created;
  while (const std::optional<StaticToCreate> next = takeNextStatic(state, traffic)) created.push_back(standOf(next->aircraft));
  std::sort(created.begin(), created.end());
  EXPECT_EQ(created, (std::vector<std::string>{"S1", "S3"}));
}

TEST_F(StaticCreationTest, HexidsRunFromOneSkippingThoseInUse) {
  std::vector<ParkedAircraft> placed;
  EXPECT_EQ(freeStaticHexid(placed), 1u);
  const auto withHexid = [](uint32_t hexid) {
    ParkedAircraft aircraft;
    aircraft.hexid = hexid;
    return aircraft;
  };
  for (const uint32_t hexid : {3u, 1u, 2u, 5u}) placed.push_back(withHexid(hexid));
  EXPECT_EQ(freeStaticHexid(placed), 4u);
  placed.clear();
  for (uint32_t hexid = 1; hexid <= kLastStaticHexid; ++hexid) placed.push_back(withHexid(hexid));
  EXPECT_EQ(freeStaticHexid(placed), 0u);
  makeStands(1);
  addOption(1, "X", 2, {0});
  calc(2, 0);
  traffic.placedStatic = placed;
  EXPECT_FALSE(takeNextStatic(state, traffic));
}

class StaticRenewalTest : public StaticParkingTest {
 protected:
  void renew(int day, int halfHour) {
    ASSERT_TRUE(requestRenewal(state));
    renewalStep(state, traffic, user, test::timeAt(day, halfHour));
    renewalStep(state, traffic, user, test::timeAt(day, halfHour));
  }
  ParkedAircraft placed(int index, uint32_t hexid, const std::string& callsign) {
    ParkedAircraft aircraft = parkedOn(index, hexid, callsign);
    aircraft.callsignNote = callsign + "N";
    return aircraft;
  }
};

TEST_F(StaticRenewalTest, ClockAndMinutesToTheNextRenewal) {
  const auto program = test::timeAt(2, 0);
  EXPECT_EQ(parkingClock(program, std::nullopt), program);
  EXPECT_EQ(gf_dayAndHalfHour(parkingClock(program, test::kMondayMidnight + 6 * 86400 + 47 * 1800)), (DayHalfHour{7, 47}));
  EXPECT_EQ(minutesToNextRenewal(test::timeAt(2, 0)), 19);  // one minute past the hour
  EXPECT_EQ(minutesToNextRenewal(test::timeAt(2, 0) + std::chrono::minutes(19)), 20);
  EXPECT_EQ(minutesToNextRenewal(test::timeAt(2, 1)), 9);  // 00:31
}

TEST_F(StaticRenewalTest, TheFirstStepOnlyStopsCreation) {
  makeStands(3);
  addOption(1, "A", 2, {0});
  calc(2, 0);
  ASSERT_TRUE(requestRenewal(state));
  EXPECT_FALSE(requestRenewal(state));
  renewalStep(state, traffic, user, test::timeAt(2, 40));
  EXPECT_TRUE(state.statics.staticList.empty());
  EXPECT_TRUE(state.statics.inProgress);
  EXPECT_TRUE(traffic.removed.empty());
  INITIAL_LOAD_ONLY.set(true);
  renewalStep(state, traffic, user, test::timeAt(2, 40));
  EXPECT_FALSE(requestRenewal(state));
}

TEST_F(StaticRenewalTest, AircraftThatStayAreNeitherRemovedNorMadeAgain) {
  makeStands(10);  // 3 wanted
  addOption(1, "KEEP", 2, {0, 1});
  addOption(2, "OLD", 2, {0});
  addOption(2, "NEW", 2, {1});
  addOption(3, "LIVE", 2, {0, 1});
  addOption(5, "ADD", 2, {1});
  addOption(7, "CROWDED", 2, {0, 1});
  traffic.placedStatic = {placed(1, 1, "KEEP"), placed(2, 2, "OLD"), placed(3, 3, "LIVE"), placed(7, 4, "CROWDED")};
  traffic.placedStatic[0].callsignNote.clear();
  traffic.names = {"LIVE"};
  ParkedAircraft arrived = parkedOn(7, 20000, "ARRIVED");
  arrived.position.lat += 0.0002;  // 22 m off the stand's centre
  traffic.liveParked.push_back(arrived);
  LogCapture log;
  renew(2, 1);
  EXPECT_FALSE(traffic.wasRemoved(1));
  EXPECT_TRUE(traffic.wasRemoved(2));
  EXPECT_TRUE(traffic.wasRemoved(3));
  EXPECT_TRUE(traffic.wasRemoved(4));
  std::vector<std::string> added;
  for (const StaticAircraft& aircraft : state.statics.staticList) added.push_back(aircraft.callsign);
  std::sort(added.begin(), added.end());
  // Three wanted: the live aircraft and KEEP stand, so one is added, by stand order.
  EXPECT_EQ(added, (std::vector<std::string>{"NEW"}));
  EXPECT_TRUE(log.contains("Parking adjustments: 3 to be removed, 1 to be added"));
}

TEST_F(StaticRenewalTest, StaysWhileItsTimeIsWithinTheFitReached) {
  makeStands(10);
  MAX_FIT.set(2);
  addOption(1, "EARLY", 1, {47});
  addOption(4, "FOUND", 2, {0});
  addOption(5, "FOUND2", 2, {0});
  addOption(6, "LATE", 1, {40});
  traffic.placedStatic = {placed(1, 7, "EARLY"), placed(6, 8, "LATE")};
  renew(2, 0);
  // Fit 0 finds two, fit 1 reaches the previous evening: EARLY is covered.
  EXPECT_FALSE(traffic.wasRemoved(7));
  EXPECT_TRUE(traffic.wasRemoved(8));
}

TEST_F(StaticRenewalTest, SurplusLiveAircraftGoLongestParkedFirst) {
  makeStands(10);  // 3 wanted
  for (int index = 1; index <= 5; ++index) traffic.liveParked.push_back(parkedOn(index, 20000 + static_cast<uint32_t>(index), "L"));
  renew(2, 0);
  ASSERT_EQ(traffic.removed.size(), 2u);
  EXPECT_EQ(traffic.removed[0], std::make_pair(20001u, ParkedRemoval::MaxPark));
  EXPECT_EQ(traffic.removed[1], std::make_pair(20002u, ParkedRemoval::MaxPark));
  EXPECT_TRUE(state.statics.staticList.empty());
  EXPECT_FALSE(state.statics.inProgress);
}

}  // namespace
}  // namespace tfx::airports
