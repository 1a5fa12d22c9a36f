#include "scan/bgl_stands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "core/geodesy.h"
#include "scan/bgl_values.h"

namespace tfx::scan {
namespace {

using ::testing::ElementsAre;

BglParking parking(int nameCode, int number, int type = 2, float radius = 20.0F) {
  BglParking entry;
  entry.flags = static_cast<std::uint32_t>(nameCode) | (static_cast<std::uint32_t>(type) << 8) |
                (static_cast<std::uint32_t>(number) << 12);
  entry.radius = radius;
  entry.heading = 90.0F;
  entry.packedLat = packLatitude(52.3 + number * 0.0001);
  entry.packedLon = packLongitude(4.76);
  return entry;
}

BglHelipad helipad(double lat, double lon, float heading = 45.0F) {
  BglHelipad pad;
  pad.packedLat = packLatitude(lat);
  pad.packedLon = packLongitude(lon);
  pad.size = 30.0F;
  pad.heading = heading;
  return pad;
}

class StandRules : public ::testing::Test {
 protected:
  AirportStands make() { return airportStands(airport, "addon/EHAM.bgl", log); }
  std::vector<std::string> ids(const AirportStands& stands) {
    std::vector<std::string> all;
    for (const airports::Stand& stand : stands.stands) all.push_back(stand.id);
    return all;
  }
  BglAirport airport;
  ScanLog log{false};
};

TEST_F(StandRules, RadiusMustLieStrictlyBetweenOneAndTwoHundredMetres) {
  airport.parkings = {parking(10, 1, 2, 1.0F), parking(10, 2, 2, 1.01F), parking(10, 3, 2, 199.9F),
                      parking(10, 4, 2, 200.0F), parking(10, 5, 2, std::nanf(""))};
  const AirportStands stands = make();
  EXPECT_THAT(ids(stands), ElementsAre("g2", "g3"));
  EXPECT_EQ(stands.parkings[0].skip, StandSkip::Radius);
  EXPECT_EQ(stands.parkings[3].skip, StandSkip::Radius);
  EXPECT_EQ(stands.parkings[4].skip, StandSkip::Radius);
  EXPECT_NEAR(stands.stands[1].radius / airports::kNmPerMeter, 199.9, 1e-3);
  EXPECT_THAT(log.lines(), ::testing::Contains("Skipped position with radius 1.0 m in addon/EHAM.bgl"));
}

TEST_F(StandRules, PositionsOffTheGlobeOrAtZeroZeroAreSkipped) {
  BglParking offGlobe = parking(10, 1);
  offGlobe.packedLat = 0xF0000000U;
  BglParking zero = parking(10, 2);
  zero.packedLat = packLatitude(0.00005);
  zero.packedLon = packLongitude(-0.00005);
  airport.parkings = {offGlobe, zero, parking(10, 3)};
  const AirportStands stands = make();
  EXPECT_THAT(ids(stands), ElementsAre("g3"));
  EXPECT_EQ(stands.parkings[0].skip, StandSkip::Position);
  EXPECT_EQ(stands.parkings[1].skip, StandSkip::Position);
}

TEST_F(StandRules, OnlyTypesOneToElevenAreTakenFiveIsCargoUpToSevenRamp) {
  airport.parkings = {parking(10, 1, 0), parking(10, 2, 1), parking(10, 3, 5), parking(10, 4, 7),
                      parking(10, 5, 8), parking(10, 6, 11), parking(10, 7, 12)};
  const AirportStands stands = make();
  EXPECT_THAT(ids(stands), ElementsAre("g2", "g3", "g4", "g5", "g6"));
  EXPECT_EQ(stands.parkings[0].skip, StandSkip::Type);
  EXPECT_EQ(stands.parkings[6].skip, StandSkip::Type);
  EXPECT_FALSE(stands.stands[0].cargo);
  EXPECT_TRUE(stands.stands[1].cargo);
  EXPECT_TRUE(stands.stands[2].ramp);
  EXPECT_FALSE(stands.stands[3].ramp);
  EXPECT_FALSE(stands.stands[0].heli);
}

TEST_F(StandRules, NameCodesGiveThePrefixes) {
  airport.parkings = {parking(0, 1), parking(1, 2), parking(9, 3), parking(11, 4), parking(12, 5), parking(37, 6),
                      parking(40, 7)};
  EXPECT_THAT(ids(make()), ElementsAre("1", "r2", "nwp3", "4", "A5", "Z6", "7"));
}

TEST_F(StandRules, CodesOfTheSameTextShareTheirIdsOthersNot) {
  airport.parkings = {parking(0, 4095), parking(11, 4095), parking(40, 4095), parking(12, 4095), parking(13, 4095),
                      parking(63, 0), parking(0, 0), parking(1, 4095), parking(1, 4095)};
  EXPECT_THAT(ids(make()), ElementsAre("4095", "4095a", "4095b", "A4095", "B4095", "0", "0a", "r4095", "r4095a"));
}

TEST_F(StandRules, SevenEqualNamesTakeTheSuffixesAndTheEighthIsRenamed) {
  for (int copy = 0; copy < 8; ++copy) airport.parkings.push_back(parking(10, 12));
  airport.parkings.push_back(parking(10, 13));
  const AirportStands stands = make();
  EXPECT_THAT(ids(stands), ElementsAre("g12", "g12a", "g12b", "g12c", "g12d", "g12e", "g12f", "vamek1", "g13"));
  EXPECT_EQ(stands.parkings[7].id, "vamek1");
  const std::vector<std::string> lines = log.lines();
  ASSERT_EQ(lines.size(), 1U);
  EXPECT_EQ(lines.front(), "===> Warning: more than 6 duplicate IDs g12 in addon/EHAM.bgl");
}

TEST_F(StandRules, ASkippedEntryReservesNoId) {
  airport.parkings = {parking(10, 1, 2, 0.5F), parking(10, 1), parking(10, 1, 0), parking(10, 1)};
  const AirportStands stands = make();
  EXPECT_THAT(ids(stands), ElementsAre("g1", "g1a"));
  EXPECT_EQ(stands.parkings[0].id, "");
  EXPECT_EQ(stands.parkings[3].id, "g1a");
}

TEST_F(StandRules, HeadingsInRadiansWithZeroAsAFullCircle) {
  BglParking north = parking(10, 1);
  north.heading = 0.0F;
  BglParking east = parking(10, 2);
  airport.parkings = {north, east};
  const AirportStands stands = make();
  EXPECT_DOUBLE_EQ(stands.stands[0].heading, kTwoPi);
  EXPECT_NEAR(stands.stands[1].heading, kTwoPi / 4, 1e-12);
  EXPECT_NEAR(stands.stands[1].radius, 20.0 * airports::kNmPerMeter, 1e-12);
}

TEST_F(StandRules, HelipadsComeFirstAndAreNumberedAsTaken) {
  airport.helipads = {helipad(52.31, 4.75, 0.0F), helipad(95.0, 4.75), helipad(52.31, 4.75), helipad(0.0, 0.0),
                      helipad(52.32, 4.75, 270.0F)};
  airport.parkings = {parking(10, 1)};
  const AirportStands stands = make();
  EXPECT_THAT(ids(stands), ElementsAre("helipad1", "helipad2", "g1"));
  EXPECT_EQ(stands.helipadCount, 2);
  EXPECT_EQ(stands.helipads[1].skip, StandSkip::Position);
  EXPECT_EQ(stands.helipads[2].skip, StandSkip::Double);
  EXPECT_EQ(stands.helipads[3].skip, StandSkip::Position);
  EXPECT_TRUE(stands.stands[0].heli);
  EXPECT_FALSE(stands.stands[0].ramp);
  EXPECT_DOUBLE_EQ(stands.stands[0].heading, kTwoPi);
  EXPECT_NEAR(stands.stands[1].heading, 270.0 * kDegToRad, 1e-12);
  EXPECT_NEAR(stands.stands[0].radius, 15.0 * airports::kNmPerMeter, 1e-12);
  EXPECT_EQ(stands.stands[2].index, 3);
}

TEST_F(StandRules, DecodingIntoTheStandsOfAnEarlierAirportLeavesNothingOfThem) {
  airport.helipads = {helipad(52.3, 4.7), helipad(52.31, 4.7)};
  airport.parkings = {parking(10, 1), parking(10, 1), parking(10, 2, 2, 1.0F)};
  AirportStands reused = make();
  airport.helipads = {};
  airport.parkings = {parking(2, 7, 5)};
  airportStands(airport, "addon/EHAM.bgl", log, reused);
  const AirportStands fresh = make();
  EXPECT_THAT(ids(reused), ElementsAre("p7"));
  EXPECT_EQ(reused.helipadCount, 0);
  EXPECT_TRUE(reused.helipads.empty());
  ASSERT_EQ(reused.parkings.size(), 1U);
  EXPECT_EQ(reused.parkings[0].id, "p7");
  EXPECT_EQ(reused.stands[0].index, fresh.stands[0].index);
  EXPECT_TRUE(reused.stands[0].cargo);
}

}  // namespace
}  // namespace tfx::scan
