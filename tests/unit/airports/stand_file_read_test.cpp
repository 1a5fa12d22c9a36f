// Reading a park airport's stand file with its learned file.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "airports/quality_factor.h"
#include "airports/read_apf.h"
#include "core/log.h"
#include "core/parameters.h"
#include "runstate/user_error.h"
#include "stand_file_fixture.h"

namespace tfx::airports {
namespace {

namespace fs = std::filesystem;

const std::string kStandFile = "airports/my_thirdparty/ZZZZ.xml";
const std::string kLearnedFile = "airports/learned/thirdparty/stock/ZZZZ.xml";

std::string readStands(ParkStands& park, const std::string& content) {
  test::writeFile(kStandFile, content);
  return gf_readApf(kStandFile, park);
}

TEST(StandFileReadTest, StandsOptionsAndParameters) {
  test::StandFolder install;
  LogCapture log;
  ParkStands park;
  const std::string error = readStands(
      park, test::standFileXml(test::basicParameters() + test::parameterXml("RT_traffic_week", "12") +
                                   test::parameterXml("Qf_real", "44"),
                               R"(<parkpos id="A1" latitude="47.1" longitude="8.1" heading="-90" radius="20" cargo="y">)"
                               R"(<opt cs="SWR12:stays" airl="SWR" type="A320" day="3" hh="4,5"/>)"
                               R"(<opt cs="KLM1:a:b" reg="PH-BXA" airl="XXX" type="YYYY" soft="true"/>)"
                               R"(<opt cs="EZY9" reg="PH-UNKNOWN" airl="EZY" type="A319" day="x"/></parkpos>)"
                               R"(<parkpos id="ZERO" latitude="0" longitude="0"/>)"
                               // Written back with 6 decimals this would be 0,0 as well.
                               R"(<parkpos id="NEARLY_ZERO" latitude="0.0000004" longitude="-0.0000005"/>)"
                               R"(<parkpos id="H1" latitude="47.2" longitude="8.2" heli="1"/>)"));
  EXPECT_EQ(error, "");
  ASSERT_EQ(park.parkStands.size(), 2u);
  const Stand& a1 = park.parkStands[0];
  EXPECT_EQ(a1.index, 1);
  EXPECT_EQ(park.parkStands[1].id, "H1");
  EXPECT_EQ(park.parkStands[1].index, 2);
  EXPECT_TRUE(park.parkStands[1].heli);
  EXPECT_TRUE(a1.cargo);
  EXPECT_NEAR(a1.heading, -1.5707963, 1e-6);
  EXPECT_NEAR(a1.radius * 1852.0, 20.0, 1e-9);
  ASSERT_EQ(a1.options.size(), 3u);
  EXPECT_EQ(a1.options[0].callsign, "SWR12");
  EXPECT_EQ(a1.options[0].callsignNote, "stays");
  EXPECT_EQ(a1.options[0].day, 3);
  EXPECT_EQ(a1.options[0].halfHours.count(), 2u);
  EXPECT_EQ(a1.options[0].origin, 1);
  EXPECT_EQ(a1.options[0].real, 1);
  // A known registration names airline (its operator first) and type.
  EXPECT_EQ(a1.options[1].callsignNote, "a:b");
  EXPECT_EQ(a1.options[1].airline, "KLM Royal Dutch Airlines");
  EXPECT_EQ(a1.options[1].type, "B738");
  EXPECT_EQ(a1.options[1].real, 0);
  EXPECT_EQ(a1.options[2].callsignNote, "");
  EXPECT_EQ(a1.options[2].airline, "EZY");
  EXPECT_EQ(a1.options[2].day, 0);
  EXPECT_EQ(a1.options[2].index, 3);
  EXPECT_EQ(park.info.name, "Test Airport");
  EXPECT_EQ(park.info.publisher, "stock");
  EXPECT_EQ(park.info.altitude, 1417);
  EXPECT_DOUBLE_EQ(parkAirport().alt, 1417.0);
  EXPECT_EQ(park.rtTrafficWeek, 12);
  EXPECT_EQ(park.quality, (QualityFactor{44, -1}));
  EXPECT_EQ(park.qualityText, "44");
  EXPECT_TRUE(park.standsLoaded);
  // Without a learned file the parking percentage is fixed at 30.
  EXPECT_EQ(parking_percentage.value(), 30);
  EXPECT_FALSE(park.parkingPercentageEnabled);
  EXPECT_TRUE(log.contains("parking_percentage      : 30"));
  EXPECT_TRUE(log.contains(fmt::format("Airport file read from '{}' for Test Airport", kStandFile)));
  EXPECT_TRUE(log.contains("altitude                : 1417 ft"));
  EXPECT_TRUE(log.contains("num_parkpos             : 2"));
  EXPECT_TRUE(log.contains("RT traffic week         : 12"));
}

TEST(StandFileReadTest, FileFailuresAreErrorTexts) {
  test::StandFolder install;
  ParkStands park;
  EXPECT_EQ(gf_readApf("", park), "gf_readApf: xml is empty");
  EXPECT_EQ(readStands(park, "<meta"), fmt::format("{}: could not load file: {}", kStandFile, kStandFile));
  EXPECT_EQ(readStands(park, "<parameters/>"), fmt::format("{}: refused to load (copyright)", kStandFile));
  EXPECT_EQ(readStands(park, test::standFileXml(test::basicParameters(), "")), "no stands found");
  parkAirport() = {};
  EXPECT_EQ(gf_readApf(kStandFile, park), "gf_readApf: no park airport set");
}

TEST(StandFileReadTest, MissingAltitudeAndRepeatedIdsAreUserErrors) {
  test::StandFolder install;
  ParkStands park;
  try {
    readStands(park, test::standFileXml(test::parameterXml("airport_name", "x"), ""));
    ADD_FAILURE();
  } catch (const UserErrorException& error) {
    EXPECT_EQ(error.code(), 65);
    EXPECT_EQ(error.message(), "Parameter altitude not found");
  }
  try {
    readStands(park, test::standFileXml(test::basicParameters(), R"(<parkpos id="B2" latitude="0" longitude="0"/>)"
                                                                 R"(<parkpos id="B2" latitude="1" longitude="1"/>)"));
    ADD_FAILURE();
  } catch (const UserErrorException& error) {
    EXPECT_EQ(error.code(), 94);
    EXPECT_EQ(error.message(), "Parking position B2 appears more than once?");
  }
}

TEST(StandFileReadTest, PositionsOrRadiiThatAreNoNumbersSkipTheirStand) {
  test::StandFolder install;
  LogCapture log;
  ParkStands park;
  readStands(park, test::standFileXml(test::basicParameters(),
                                      R"(<parkpos id="N" latitude="nan" longitude="8"/>)"
                                      R"(<parkpos id="I" latitude="47" longitude="8" radius="inf"/>)"
                                      R"(<parkpos id="H" latitude="47" longitude="8" heading="inf" radius="1e999"/>)"
                                      R"(<parkpos id="OK" latitude="47" longitude="8" heading="nan"/>)"));
  ASSERT_EQ(park.parkStands.size(), 1u);
  EXPECT_EQ(park.parkStands[0].heading, 0.0);
  EXPECT_EQ(log.count("skipped: its position or radius is not a number"), 3u);
}

TEST(StandFileReadTest, DecimalsReadAsTheCLibraryReadsThem) {
  test::StandFolder install;
  ParkStands park;
  readStands(park, test::standFileXml(test::basicParameters(),
                                      R"(<parkpos id="A" latitude="47.458056123456789" longitude="-8.5480561" )"
                                      R"(heading="0x1Ap1" radius="2e1m"/>)"
                                      R"(<parkpos id="B" latitude=" 47.5" longitude="+8.25" heading="-0x10" )"
                                      R"(radius=".5"/>)"
                                      R"(<parkpos id="C" latitude="1e-320" longitude="8" heading="12." radius="x"/>)"));
  ASSERT_EQ(park.parkStands.size(), 3u);
  const Stand& a = park.parkStands[0];
  EXPECT_EQ(a.lat, std::strtod("47.458056123456789", nullptr));
  EXPECT_EQ(a.lon, -8.5480561);
  EXPECT_DOUBLE_EQ(a.heading, 52.0 * kDegToRad);
  EXPECT_DOUBLE_EQ(a.radius, 20.0 * kNmPerMeter);
  const Stand& b = park.parkStands[1];
  EXPECT_EQ(b.lat, 47.5);
  EXPECT_EQ(b.lon, 8.25);
  EXPECT_DOUBLE_EQ(b.heading, -16.0 * kDegToRad);
  EXPECT_DOUBLE_EQ(b.radius, 0.5 * kNmPerMeter);
  const Stand& c = park.parkStands[2];
  EXPECT_EQ(c.lat, std::strtod("1e-320", nullptr));
  EXPECT_DOUBLE_EQ(c.heading, 12.0 * kDegToRad);
  EXPECT_EQ(c.radius, 0.0);
}

class LearnedFileTest : public ::testing::Test {
 protected:
  std::string standFile() const {
    return test::standFileXml(
        test::basicParameters() + test::parameterXml("Qf_real", "99"),
        R"(<parkpos id="A1" latitude="47.1" longitude="8.1" radius="20"><opt cs="X1" airl="SWR" type="A320" day="1" hh="1"/></parkpos>)"
        R"(<parkpos id="A2" latitude="47.2" longitude="8.2" radius="30"/>)");
  }
  test::StandFolder install;
};

TEST_F(LearnedFileTest, LearnedCorrectionsOptionsAndManualStandsAreMerged) {
  test::writeFile(kLearnedFile,
                  test::standFileXml(
                      test::parameterXml("airport_name", "Other Name") + test::parameterXml("MAX_FIT", "5") +
                          test::parameterXml("LATERAL_RANGE", "500") + test::parameterXml("MAX_LIVE", "60") +
                          test::parameterXml("PARK_SOFT", "false"),
                      R"(<parkpos id="A1" radius_change="true" radius="40" cargo_change="yes" cargo="true">)"
                      R"(<opt cs="L1" airl="KLM" type="B738" day="2" hh="7"/></parkpos>)"
                      R"(<parkpos id="GONE"/>)"
                      R"(<parkpos id="A2" manual="true" latitude="1" longitude="1" radius="1"/>)"
                      R"(<parkpos id="M1" manual="true" latitude="47.3" longitude="8.3"/>)"
                      R"(<parkpos id="M2" manual="true" latitude="47.3" longitude="8.3" radius="25"/>)"));
  LogCapture log;
  ParkStands park;
  EXPECT_EQ(readStands(park, standFile()), "");
  ASSERT_EQ(park.parkStands.size(), 3u);
  const Stand& a1 = park.parkStands[0];
  EXPECT_TRUE(a1.radiusChanged);
  EXPECT_NEAR(a1.radius * 1852.0, 40.0, 1e-9);
  EXPECT_TRUE(a1.cargo && a1.cargoChanged);
  ASSERT_EQ(a1.options.size(), 2u);
  EXPECT_EQ(a1.options[1].index, 2);
  EXPECT_EQ(a1.options[1].origin, 0);
  EXPECT_TRUE(park.parkStands[2].manual);
  EXPECT_EQ(park.parkStands[2].index, 3);
  EXPECT_TRUE(log.contains("Warning: learned file airport name: 'Other Name' differs from archived file airport name: "
                           "'Test Airport'"));
  EXPECT_TRUE(log.contains(fmt::format("learned stand GONE in {} not found?", kLearnedFile)));
  EXPECT_TRUE(log.contains(fmt::format("manually created standid A2 already exists in {}", kLearnedFile)));
  EXPECT_TRUE(log.contains(fmt::format("manually created standid M1 misses correct attributes in {}", kLearnedFile)));
  EXPECT_TRUE(log.contains("MAX_FIT                 : 5 (max number of half hours, is 3 hrs decimal)"));
  EXPECT_EQ(MAX_FIT.value(), 5);
  EXPECT_EQ(LATERAL_RANGE.value(), 100);
  EXPECT_DOUBLE_EQ(park.lateralRangeMeters, 185200.0);
  EXPECT_EQ(MAX_LIVE.value(), 50);
  EXPECT_FALSE(PARK_SOFT.value());
  EXPECT_EQ(parking_percentage.value(), 30);
  EXPECT_TRUE(park.parkingPercentageEnabled);
  // The learned file's presence recomputes the quality from the options.
  EXPECT_EQ(park.quality, gf_qualityFactor(park.parkStands));
  EXPECT_NE(park.quality.real, 99);
}

TEST_F(LearnedFileTest, HandmadeLearnedFileReplacesTheStands) {
  test::writeFile(kLearnedFile, test::standFileXml(test::parameterXml("handmade", "true"),
                                                   R"(<parkpos id="H1" latitude="47.5" longitude="8.5" radius="10"/>)"));
  LogCapture log;
  ParkStands park;
  readStands(park, standFile());
  ASSERT_EQ(park.parkStands.size(), 1u);
  EXPECT_EQ(park.parkStands[0].id, "H1");
  EXPECT_TRUE(park.handmade);
  EXPECT_TRUE(log.contains("A handmade airport file overruled the archived file!"));
  EXPECT_TRUE(log.contains(fmt::format("Airport file read from '{}' for", kLearnedFile)));
}

TEST_F(LearnedFileTest, DamagedLearnedFileIsKeptAsZeroFileAndIgnored) {
  test::writeFile(kLearnedFile, "<meta><info");
  LogCapture log;
  ParkStands park;
  EXPECT_EQ(readStands(park, standFile()), "");
  EXPECT_EQ(park.parkStands.size(), 2u);
  EXPECT_FALSE(fs::exists(kLearnedFile));
  EXPECT_EQ(test::readFile("airports/learned/thirdparty/stock/ZZZZ.0.xml"), "<meta><info");
  EXPECT_TRUE(log.contains(fmt::format("{} found, but could not be loaded, saved as *.0.xml: ", kLearnedFile)));
}

TEST_F(LearnedFileTest, FakeOptionsOnlyWithALearnedFile) {
  PARK_FAKE.set(true);
  RANDOM.set(false);
  parkAirport().code = "QQQQ";
  ParkStands park;
  readStands(park, standFile());
  EXPECT_EQ(park.parkStands[1].options.size(), 0u);
  test::writeFile(kLearnedFile, test::standFileXml("", ""));
  readStands(park, standFile());
  // ZZZZ lies outside the listed regions: one placeholder per stand.
  ASSERT_EQ(park.parkStands[1].options.size(), 1u);
  const StandOption& fake = park.parkStands[1].options[0];
  EXPECT_EQ(fake.airline, "ZZZ");
  EXPECT_EQ(fake.callsign, "FAKE2");
  EXPECT_EQ(fake.registration, "REGFAKE2");
  EXPECT_EQ(fake.real, 0);
  EXPECT_EQ(fake.halfHours.count(), 1u);
}

TEST(QualityFactorTest, ScoresRealAndSoftOptionsPerStand) {
  EXPECT_EQ(gf_qualityFactor({}), (QualityFactor{-1, -1}));
  std::vector<Stand> stands(2);
  stands[0].radius = 20.0 / 1852.0;
  stands[1].radius = 30.0 / 1852.0;
  EXPECT_EQ(gf_qualityFactor(stands), (QualityFactor{-1, -1}));
  StandOption real{.index = 1, .day = 1, .real = 1};
  real.halfHours.set(3);
  StandOption soft{.index = 2, .day = 2, .real = 0};
  StandOption uncounted{.index = 0, .day = 3, .real = 1};
  stands[0].options = {real, soft, uncounted};
  // real: (20 + 10000 + 100 + 2) x 0.3 / 0.6 x 0.00625 = 31.6; soft: (20 + 10000 + 100) ... = 31.6
  EXPECT_EQ(gf_qualityFactor(stands), (QualityFactor{32, 32}));
  EXPECT_EQ(qualityText({32, 5}), "32/ 5");
  EXPECT_EQ(qualityText({7, -1}), " 7");
}

}  // namespace
}  // namespace tfx::airports
