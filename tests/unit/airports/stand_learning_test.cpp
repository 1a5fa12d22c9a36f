// The half-hour of the week and learning from parked live aircraft.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include "airports/day_half_hour.h"
#include "airports/stand_learning.h"

namespace tfx::airports {
namespace {

using std::chrono::seconds;
using std::chrono::system_clock;

system_clock::time_point at(long long epochSeconds) { return system_clock::time_point(seconds(epochSeconds)); }

// 2025-02-05 is a Wednesday.
constexpr long long kWednesdayMidnight = 1738713600;

TEST(DayAndHalfHourTest, MinuteTwentyNineWithThirtySecondsCountsToTheNextHalfHour) {
  EXPECT_EQ(gf_dayAndHalfHour(at(kWednesdayMidnight)), (DayHalfHour{3, 0}));
  EXPECT_EQ(gf_dayAndHalfHour(at(kWednesdayMidnight + 3600 + 29 * 60 + 29)), (DayHalfHour{3, 2}));
  EXPECT_EQ(gf_dayAndHalfHour(at(kWednesdayMidnight + 3600 + 29 * 60 + 30)), (DayHalfHour{3, 3}));
  EXPECT_EQ(gf_dayAndHalfHour(at(kWednesdayMidnight + 3600 + 30 * 60)), (DayHalfHour{3, 3}));
  EXPECT_EQ(gf_dayAndHalfHour(at(kWednesdayMidnight + 23 * 3600 + 59 * 60 + 59)), (DayHalfHour{3, 47}));
}

TEST(DayAndHalfHourTest, SundayIsSevenAndMondayFollows) {
  const long long sunday = kWednesdayMidnight + 4 * 86400;
  EXPECT_EQ(gf_dayAndHalfHour(at(sunday + 12 * 3600)), (DayHalfHour{7, 24}));
  EXPECT_EQ(gf_dayAndHalfHour(at(sunday + 86400 - 1)), (DayHalfHour{7, 47}));
  EXPECT_EQ(gf_dayAndHalfHour(at(sunday + 86400)), (DayHalfHour{1, 0}));
  EXPECT_EQ(dayName(7), "Sun");
  EXPECT_EQ(dayName(1), "Mon");
  EXPECT_EQ(dayName(0), "???");
  EXPECT_EQ(dayName(-1), "???");
  EXPECT_DOUBLE_EQ(halfHourAsHours(3), 2.0);
}

class StandLearningTest : public ::testing::Test {
 protected:
  StandLearningTest() {
    Stand stand;
    stand.index = 1;
    stand.id = "A1";
    StandOption known{.registration = "HB-JBA", .callsign = "SWR1", .index = 1, .day = 3, .origin = 1, .real = 1};
    known.halfHours.set(10);
    known.halfHours.set(11);
    stand.options.push_back(known);
    park.parkStands.push_back(stand);
  }
  bool learn(const ParkedSighting& aircraft, int day, int halfHour, bool continuous) {
    return lt_addStandOption(park, 1, aircraft, {day, halfHour}, continuous);
  }
  const std::vector<StandOption>& options() const { return park.parkStands[0].options; }

  ParkStands park;
  const ParkedSighting klm{.objectId = 7, .registration = "PH-BXA", .callsign = "KLM1", .airline = "KLM", .type = "B738"};
};

TEST_F(StandLearningTest, FileOptionsOfTheSameAircraftAndDayDecide) {
  const ParkedSighting swr{.objectId = 9, .registration = "HB-JBA", .callsign = "SWR1", .airline = "SWR", .type = "A320"};
  // Known here on Wednesday at 10 and 11: nothing to learn at 12 nor at 10.
  EXPECT_FALSE(learn(swr, 3, 12, false));
  // On Wednesday at half-hour 10 the file's option holds it; a learned option is made.
  EXPECT_TRUE(learn(swr, 3, 10, false));
  EXPECT_TRUE(learn(swr, 4, 12, false));
  EXPECT_EQ(options().size(), 3u);
  EXPECT_EQ(options()[1].origin, 0);
  EXPECT_EQ(park.updates, 2);
  EXPECT_FALSE(lt_addStandOption(park, 2, swr, {3, 10}, false));
}

TEST_F(StandLearningTest, WithoutContinuityHalfHoursJoinOneOptionPerDay) {
  EXPECT_TRUE(learn(klm, 2, 10, false));
  EXPECT_FALSE(learn(klm, 2, 10, false));
  EXPECT_TRUE(learn(klm, 2, 30, false));
  EXPECT_TRUE(learn(klm, 5, 30, false));
  ASSERT_EQ(options().size(), 3u);
  EXPECT_EQ(options()[1].halfHours.count(), 2u);
  EXPECT_EQ(options()[1].index, 2);
  EXPECT_EQ(options()[1].origin, 0);
  EXPECT_EQ(options()[1].airline, "KLM");
  EXPECT_EQ(options()[2].index, 3);
  EXPECT_EQ(park.updates, 3);
}

TEST_F(StandLearningTest, ContinuousSightingsExtendOnlyWithoutInterruption) {
  EXPECT_TRUE(learn(klm, 2, 10, true));
  EXPECT_TRUE(learn(klm, 2, 11, true));
  ASSERT_EQ(options().size(), 2u);
  EXPECT_EQ(options()[1].halfHours.count(), 2u);
  // Seen again after a gap: a stay of its own.
  EXPECT_TRUE(learn(klm, 2, 14, true));
  ASSERT_EQ(options().size(), 3u);
  EXPECT_EQ(options()[2].halfHours.count(), 1u);
  // Another object with the same registration has no sighting here yet.
  ParkedSighting respawned = klm;
  respawned.objectId = 8;
  EXPECT_TRUE(learn(respawned, 2, 15, true));
  EXPECT_EQ(options().size(), 4u);
  EXPECT_TRUE(learn(respawned, 2, 16, true));
  EXPECT_EQ(options().size(), 4u);
  EXPECT_EQ(park.updates, 5);
}

TEST_F(StandLearningTest, CallsignIsTheKeyWithoutRegistrationAndBadTimesLearnNothing) {
  ParkedSighting anonymous = klm;
  anonymous.registration.clear();
  EXPECT_TRUE(learn(anonymous, 1, 0, false));
  EXPECT_TRUE(learn(anonymous, 1, 1, false));
  EXPECT_EQ(options().size(), 2u);
  EXPECT_FALSE(learn(anonymous, -1, 1, false));
  EXPECT_FALSE(learn(anonymous, 1, 48, false));
}

}  // namespace
}  // namespace tfx::airports
