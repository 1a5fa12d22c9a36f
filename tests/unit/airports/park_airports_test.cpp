// The user's park airports: my_park_airports.txt read and written, the park
// airport chosen and given up, and its stands read.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "airports/airport.h"
#include "airports/my_park_airports.h"
#include "airports/park_airport_choice.h"
#include "airports/parked_file.h"
#include "airports/stand_learning.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/message_line.h"
#include "static_parking_fixture.h"

namespace tfx::airports {
namespace {

namespace fs = std::filesystem;

constexpr LatLon kZurich{47.458056, 8.548056};
constexpr double kDegreesPerNm = 1.0 / 60.0;
const auto kNow = test::timeAt(3, 20);

AirportDatabase smallDatabase() {
  return {{.code = "EDDF", .iata = "FRA", .lat = 50.033, .lon = 8.570, .alt = 364},
          {.code = "EHAM", .iata = "AMS", .lat = 52.308, .lon = 4.764, .alt = -11},
          {.code = "KJFK", .iata = "JFK", .lat = 40.640, .lon = -73.779, .alt = 13},
          {.code = "LSZH", .iata = "ZRH", .lat = kZurich.lat, .lon = kZurich.lon, .alt = 1417}};
}

std::vector<std::string> codes(const ParkAirportList& list) {
  std::vector<std::string> result;
  for (const ParkAirportEntry& entry : list) result.push_back(entry.code + ":" + entry.stand);
  return result;
}

// Two stands at Zurich 100 m apart; E_67 at the airport's reference point.
std::string zurichStands(const std::string& extraParameters = "") {
  return test::standFileXml(test::basicParameters("Zurich") + extraParameters,
                            R"(<parkpos id="E_67" latitude="47.458056" longitude="8.548056" heading="90" radius="20">)"
                            R"(<opt cs="SWR1:SWR2" airl="SWR" type="B738" day="3" hh="20"/></parkpos>)"
                            R"(<parkpos id="E_68" latitude="47.458956" longitude="8.548056" heading="90" radius="20">)"
                            R"(<opt cs="KLM1:KLM2" airl="KLM" type="B738" day="3" hh="20"/></parkpos>)");
}

class ParkAirportsTest : public ::testing::Test, public test::ParkFixture {
 protected:
  ParkAirportsTest() {
    airports::parkAirport() = {};
    state.site = "http://127.0.0.1:9/";
  }
  void check() { lf_checkParkAirport(state, traffic, user, database, kNow); }
  void flyAt(double nmNorthOfZurich, double heightFt) {
    user = {.position = {kZurich.lat + nmNorthOfZurich * kDegreesPerNm, kZurich.lon}, .onGround = false,
            .heightAboveGroundFt = heightFt};
  }
  AirportDatabase database = smallDatabase();
};

TEST_F(ParkAirportsTest, BadLinesAreReportedAndSkipped) {
  test::writeFile(paths::myParkAirports, "LSZH,E_67\r\n\r\n   \r\n EHAM , D4 \r\nEGLL,1,2\r\nLSZH\r\nXXXX\r\n,A1\r\n");
  test::writeFile(paths::myThirdparty / "EDDF.xml", "");
  test::writeFile(paths::myThirdparty / "LSZH.xml", "");
  test::writeFile(paths::myThirdparty / "NOPE.xml", "");
  LogCapture log;
  ASSERT_TRUE(lf_readMyParkAirports(database, state.parkAirports));
  EXPECT_EQ(codes(state.parkAirports), (std::vector<std::string>{"LSZH:E_67", "EHAM:D4", "EDDF:"}));
  EXPECT_TRUE(log.contains("my_park_airports.txt:EGLL,1,2 wrong syntax, skipped"));
  EXPECT_TRUE(log.contains("my_park_airports.txt:LSZH double, skipped"));
  EXPECT_TRUE(log.contains("airport XXXX is unknown"));
  EXPECT_TRUE(log.contains("airport  is unknown"));
  EXPECT_TRUE(log.contains("2 park airports read from 'airports/my_park_airports.txt'"));
  EXPECT_TRUE(log.contains("1 park airport added from my_thirdparty folder(-s)"));
  EXPECT_DOUBLE_EQ(state.parkAirports[1].lat, 52.308);
  // Read again, the list starts afresh.
  ASSERT_TRUE(lf_readMyParkAirports(database, state.parkAirports));
  EXPECT_EQ(state.parkAirports.size(), 3u);
}

TEST_F(ParkAirportsTest, AMissingFileAndFiveThousandLines) {
  LogCapture log;
  ASSERT_TRUE(lf_readMyParkAirports(database, state.parkAirports));
  EXPECT_TRUE(state.parkAirports.empty());
  EXPECT_TRUE(log.contains("airports/my_park_airports.txt not found"));

  AirportDatabase many;
  std::string lines;
  for (int i = 0; i < 3500; ++i) {
    many.push_back({.code = fmt::format("A{:04}", i), .iata = {}, .lat = 1.0, .lon = 1.0, .alt = 0});
    lines += many.back().code + "\n";
  }
  for (int i = 0; i < 1500; ++i) lines += fmt::format("A{:04},S{}\n", i, i);
  test::writeFile(paths::myParkAirports, lines);
  ASSERT_TRUE(lf_readMyParkAirports(many, state.parkAirports));
  EXPECT_EQ(state.parkAirports.size(), 3500u);
  EXPECT_EQ(log.count("double, skipped"), 1500u);
  EXPECT_TRUE(log.contains(
      "Warning: There are a lot of airports (3500), that will cost ASHD much cpu time and may cause stutters"));
}

TEST_F(ParkAirportsTest, UpdatesKeepTheFileSortedWithoutRepeats) {
  LogCapture log;
  lf_updateMyParkAirports("LSZH", "E_67");
  EXPECT_EQ(test::readFile(paths::myParkAirports), "LSZH,E_67\n");
  EXPECT_TRUE(log.contains("airports/my_park_airports.txt created with LSZH,E_67"));
  test::writeFile(paths::myParkAirports, "LSZH,E_67\r\nKJFK\r\n\r\nKJFK\r\nEHAM,D4\r\n");
  lf_updateMyParkAirports("LSZH", "A12");
  lf_updateMyParkAirports("EDDF", "");
  EXPECT_EQ(test::readFile(paths::myParkAirports), "EDDF\nEHAM,D4\nKJFK\nLSZH,A12\n");
  EXPECT_TRUE(log.contains("my_park_airports.txt:LSZH,A12 updated stand"));
  EXPECT_TRUE(log.contains("my_park_airports.txt:EDDF new entry"));
  for (const fs::directory_entry& file : fs::directory_iterator(paths::airports)) {
    EXPECT_EQ(file.path().extension(), file.is_directory() ? "" : ".txt") << file.path();
  }
  // Stray carriage returns before the line ends are dropped, so that the file
  // reads back as written: sorted and without repeats.
  test::writeFile(paths::myParkAirports, "X\r\r\nX\nEHAM\r\r\r\n\rL\n");
  lf_updateMyParkAirports("LSZH", "A12");
  EXPECT_EQ(test::readFile(paths::myParkAirports), "\rL\nEHAM\nLSZH,A12\nX\n");
}

TEST_F(ParkAirportsTest, NearestFirstUnlessADestinationIsSet) {
  state.parkAirports = {{.code = "EHAM", .stand = {}, .lat = 52.308, .lon = 4.764, .distance = 0.0},
                        {.code = "LSZH", .stand = {}, .lat = kZurich.lat, .lon = kZurich.lon, .distance = 0.0}};
  DESTINATION.set("EHAM");
  flyAt(100.0, 30000.0);
  check();
  EXPECT_EQ(state.parkAirports[0].code, "EHAM");
  EXPECT_GT(state.parkAirports[0].distance, 200.0);
  DESTINATION.set("");
  flyAt(99.0, 30000.0);
  check();
  EXPECT_EQ(state.parkAirports[0].code, "LSZH");
  EXPECT_NEAR(state.parkAirports[0].distance, 99.0, 0.1);
}

TEST_F(ParkAirportsTest, ChosenInTheAirWithinRangeAndHeight) {
  state.parkAirports = {{.code = "LSZH", .stand = {}, .lat = kZurich.lat, .lon = kZurich.lon, .distance = 0.0}};
  flyAt(10.0, 18001.0);
  check();
  EXPECT_FALSE(parkAirportIsSet());
  EXPECT_NEAR(state.parkAirports[0].distance, 10.0, 0.01);
  flyAt(21.0, 1000.0);
  check();
  EXPECT_FALSE(parkAirportIsSet());
  flyAt(10.0, 18000.0);
  check();
  EXPECT_EQ(parkAirport().code, "LSZH");
  EXPECT_TRUE(state.statics.calculateNow);
  EXPECT_EQ(messageLine().message(), "LSZH in sight at 10.0 nm");
}

// The park airport with stands read, one static and one live aircraft
// parked, and something learned.
class ParkAirportInSightTest : public ParkAirportsTest {
 protected:
  ParkAirportInSightTest() {
    gf_setParkAirport(database, "LSZH");
    makeStands(2);
    state.stands.fileName = "airports/my_thirdparty/LSZH.xml";
    state.stands.info = {.name = "Zurich", .publisher = "Tester", .altitude = 1417};
    state.parkAirports = {{.code = "LSZH", .stand = {}, .lat = kZurich.lat, .lon = kZurich.lon, .distance = 0.0}};
    traffic.placedStatic.push_back(parkedOn(1, 1, "STATIC"));
    traffic.liveParked.push_back(parkedOn(2, 20000, "LIVE"));
    lt_addStandOption(state.stands, 2, {.objectId = 9, .registration = "HB-JXA", .callsign = "LIVE", .airline = "SWR", .type = "B738"},
                      {3, 20}, false);
  }
};

TEST_F(ParkAirportInSightTest, EighteenThousandFeetKeepsEighteenThousandAndOneRemoves) {
  flyAt(10.0, 18000.0);
  check();
  EXPECT_TRUE(traffic.removed.empty());
  EXPECT_EQ(parkAirport().code, "LSZH");
  LogCapture log;
  flyAt(10.0, 18001.0);
  check();
  EXPECT_TRUE(log.contains("LSZH (ZRH) is out of sight (10.0 nm), parked aircraft will be removed"));
  EXPECT_EQ(traffic.removed.size(), 2u);
  EXPECT_EQ(traffic.removed[0].second, ParkedRemoval::OutOfSight);
  EXPECT_FALSE(parkAirportIsSet());
  EXPECT_FALSE(state.stands.standsLoaded);
  EXPECT_TRUE(state.stands.parkStands.empty());
  EXPECT_NE(test::readFile("airports/learned/thirdparty/Tester/LSZH.xml").find("HB-JXA"), std::string::npos);
}

TEST_F(ParkAirportInSightTest, ANearerParkAirportInSightTakesOver) {
  state.parkAirports.push_back({.code = "LSZB", .stand = {}, .lat = kZurich.lat + 12 * kDegreesPerNm, .lon = kZurich.lon, .distance = 0.0});
  flyAt(5.0, 3000.0);
  check();
  EXPECT_TRUE(traffic.removed.empty());
  LogCapture log;
  flyAt(7.0, 3000.0);
  check();
  EXPECT_TRUE(log.contains("LSZB is in sight (5.0 nm), parked aircraft at LSZH (ZRH) will be removed first"));
  EXPECT_FALSE(parkAirportIsSet());
}

TEST_F(ParkAirportsTest, OnTheGroundTheAirportStoodAtWithAStandFile) {
  user = {.position = {kZurich.lat, kZurich.lon + 0.0005}, .onGround = true, .heightAboveGroundFt = 0.0};
  check();
  EXPECT_FALSE(parkAirportIsSet());
  EXPECT_EQ(messageLine().message(), "User aircraft on the ground at LSZH, no airport file found");
  test::writeFile(paths::myThirdparty / "LSZH.xml", zurichStands());
  check();
  EXPECT_FALSE(parkAirportIsSet()) << "not looked for again while standing at the same airport";
  state.airportWithoutStands.clear();
  check();
  ASSERT_EQ(parkAirport().code, "LSZH");
  ASSERT_TRUE(state.statics.calculateNow);

  check();  // reads the stands and computes the static parking
  EXPECT_TRUE(state.readSucceeded);
  EXPECT_EQ(state.statics.reservedStand, "E_67");
  EXPECT_EQ(test::readFile(paths::myParkAirports), "LSZH,E_67\n");
  EXPECT_EQ(codes(state.parkAirports), (std::vector<std::string>{"LSZH:E_67"}));
  ASSERT_EQ(state.statics.staticList.size(), 1u);
  EXPECT_EQ(state.statics.staticList[0].callsign, "KLM1");
  EXPECT_TRUE(state.statics.inProgress);
  state.statics.staticList.clear();
  check();
  EXPECT_FALSE(state.statics.inProgress);

  user.position = {0.0, -160.0};
  check();
  EXPECT_EQ(parkAirport().code, "LSZH") << "the park airport is given up only while flying";
}

TEST_F(ParkAirportsTest, TheUsersStandMovesItsAirportToTheFrontOnce) {
  test::writeFile(paths::myThirdparty / "LSZH.xml", zurichStands());
  test::writeFile(paths::myParkAirports, "EHAM\nLSZH,E_68\n");
  ASSERT_TRUE(lf_readMyParkAirports(database, state.parkAirports));
  gf_setParkAirport(database, "LSZH");
  user = {.position = kZurich, .onGround = true, .heightAboveGroundFt = 0.0};
  ASSERT_EQ(lf_readParkedFile(state, user, kNow), "");
  EXPECT_EQ(codes(state.parkAirports), (std::vector<std::string>{"LSZH:E_67", "EHAM:"}));
  EXPECT_EQ(test::readFile(paths::myParkAirports), "EHAM\nLSZH,E_67\n");
  EXPECT_EQ(state.statics.reservedStand, "E_67");
  // Away from any stand the recorded stand stays reserved.
  user.position.lat += 0.01;
  ASSERT_EQ(lf_readParkedFile(state, user, kNow), "");
  EXPECT_EQ(state.statics.reservedStand, "E_67");
  // The user taxied to E_68.
  user.position = {47.458956, kZurich.lon};
  recordUserStand(state, user);
  EXPECT_EQ(state.statics.reservedStand, "E_68");
  EXPECT_EQ(test::readFile(paths::myParkAirports), "EHAM\nLSZH,E_68\n");
}

TEST_F(ParkAirportsTest, AnUnusableStandFileClearsTheParkAirport) {
  test::writeFile(paths::myThirdparty / "LSZH.xml", "<parkpositions/>");
  gf_setParkAirport(database, "LSZH");
  state.statics.calculateNow = true;
  check();
  EXPECT_FALSE(parkAirportIsSet());
  EXPECT_NE(messageLine().error().find("refused to load (copyright)"), std::string::npos);
  gf_setParkAirport(database, "EDDF");
  EXPECT_EQ(lf_readParkedFile(state, user, kNow), "lf_readParkedFile EDDF not found");
}

TEST_F(ParkAirportsTest, SoftLearningOnlyWhereTheFileKnowsLittle) {
  std::string stands;
  for (int i = 0; i < 20; ++i) {
    stands += fmt::format(R"(<parkpos id="S{}" latitude="{}" longitude="8.5" radius="20"/>)", i, 47.0 + i * 0.001);
  }
  test::writeFile(paths::myThirdparty / "LSZH.xml",
                  test::standFileXml(test::basicParameters() + test::parameterXml("Qf_real", "50"), stands));
  gf_setParkAirport(database, "LSZH");
  ASSERT_EQ(lf_readParkedFile(state, user, kNow), "");
  EXPECT_FALSE(state.statics.learnSoftAllowed);
  EXPECT_FALSE(LEARN_SOFT.value());
  EXPECT_TRUE(state.stands.parametersChanged);
  test::writeFile(paths::myThirdparty / "LSZH.xml",
                  test::standFileXml(test::basicParameters() + test::parameterXml("Qf_real", "44"), stands));
  ASSERT_EQ(lf_readParkedFile(state, user, kNow), "");
  EXPECT_TRUE(state.statics.learnSoftAllowed);
}

}  // namespace
}  // namespace tfx::airports
