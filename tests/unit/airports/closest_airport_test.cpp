// The closest airport: the 5 nm limit, the neighbour taken during the walk,
// and the stand comparison between the two.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include "airports/closest_airport.h"
#include "core/log.h"

namespace tfx::airports {
namespace {

// Points due north of the user by whole nautical miles (one minute of latitude each).
Airport northBy(std::string code, double nm) { return {.code = std::move(code), .lat = nm / 60.0, .lon = 0.0}; }

struct StandAnswers {
  NearestStand forCode(const Airport& airport) {
    asked.push_back(airport.code);
    return answers.contains(airport.code) ? answers.at(airport.code) : NearestStand{};
  }
  std::map<std::string, NearestStand> answers;
  std::vector<std::string> asked;
};

const Airport* closest(const AirportDatabase& database, StandAnswers& stands) {
  return gf_closestAirport(database, {0.0, 0.0}, [&](const Airport& a, const LatLon&) { return stands.forCode(a); });
}

TEST(ClosestAirportTest, FiveNauticalMilesIsTheLimit) {
  StandAnswers stands;
  EXPECT_EQ(closest({northBy("AAAA", 5.0)}, stands)->code, "AAAA");
  EXPECT_EQ(closest({northBy("AAAA", 5.0001)}, stands), nullptr);
  EXPECT_EQ(closest({}, stands), nullptr);
  EXPECT_TRUE(stands.asked.empty());
}

TEST(ClosestAirportTest, NearerAirportMetFirstLeavesNoNeighbour) {
  StandAnswers stands;
  LogCapture log;
  EXPECT_EQ(closest({northBy("AAAA", 1.0), northBy("BBBB", 3.0)}, stands)->code, "AAAA");
  EXPECT_TRUE(stands.asked.empty());
  EXPECT_FALSE(log.contains("neighbour"));
}

TEST(ClosestAirportTest, NearerAirportMetSecondComparesStands) {
  StandAnswers stands;
  LogCapture log;
  stands.answers = {{"AAAA", {0.2, "A1"}}, {"BBBB", {0.5, "B7"}}};
  const AirportDatabase database{northBy("AAAA", 3.0), northBy("BBBB", 1.0)};
  EXPECT_EQ(closest(database, stands)->code, "AAAA");
  EXPECT_EQ(stands.asked, (std::vector<std::string>{"BBBB", "AAAA"}));
  EXPECT_TRUE(log.contains("Airport BBBB is closest, neighbour is AAAA"));
  EXPECT_TRUE(log.contains("Airport BBBB is closest, but stand A1 at neighbouring airport AAAA is closer at 370 meters ..."));
}

TEST(ClosestAirportTest, ClosestKeepsItsPlaceOnEqualOrNearerStands) {
  StandAnswers stands;
  const AirportDatabase database{northBy("AAAA", 3.0), northBy("BBBB", 1.0)};
  stands.answers = {{"AAAA", {0.4, "A1"}}, {"BBBB", {0.4, "B7"}}};
  EXPECT_EQ(closest(database, stands)->code, "BBBB");
  stands.answers = {{"BBBB", {0.4, "B7"}}};
  EXPECT_EQ(closest(database, stands)->code, "BBBB");
}

TEST(ClosestAirportTest, NeighbourIsTheOneDisplacedLast) {
  StandAnswers stands;
  stands.answers = {{"BBBB", {0.1, "B1"}}};
  // CCCC displaces BBBB, which displaced AAAA: BBBB is the neighbour, AAAA never compared.
  const AirportDatabase database{northBy("AAAA", 4.0), northBy("BBBB", 2.0), northBy("CCCC", 1.0)};
  EXPECT_EQ(closest(database, stands)->code, "BBBB");
  EXPECT_EQ(stands.asked, (std::vector<std::string>{"CCCC", "BBBB"}));
}

}  // namespace
}  // namespace tfx::airports
