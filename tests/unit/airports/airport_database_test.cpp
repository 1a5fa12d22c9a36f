// Reading the airport database: bad elements skipped, unreadable files refused,
// the park airport set by code.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include "airports/airport_database.h"
#include "core/folders.h"
#include "core/log.h"
#include "runstate/user_error.h"
#include "test_support.h"

namespace tfx::airports {
namespace {

std::string databaseXml(const std::string& body) { return "<?xml version=\"1.0\"?>\n<airports>" + body + "</airports>"; }

AirportDatabase readText(const test::TempDir& folder, const std::string& text) {
  test::writeFile(folder / "airports.xml", text);
  return readAirportDatabase(folder / "airports.xml");
}

TEST(AirportDatabaseTest, ReadsSortsAndKeepsValuesAsGiven) {
  test::TempDir folder;
  LogCapture log;
  const AirportDatabase database = readText(
      folder, databaseXml(R"(<airport code="LSZH" iata="ZRH" lat="47.458056" lon="8.548056" alt="1417"/>)"
                          R"(<runway code="XXXX" lat="1" lon="1" alt="1"/>)"
                          R"(<airport code="EHAM" iata="AMS" lat=" 52.308613" lon="4.763889" alt="-11"/>)"
                          R"(<airport code="KMSP" lat="44.88" lon="-93.22" alt="841.8ft"/>)"));
  ASSERT_EQ(database.size(), 3u);
  EXPECT_EQ(database[0].code, "EHAM");
  EXPECT_DOUBLE_EQ(database[0].lat, 52.308613);
  EXPECT_DOUBLE_EQ(database[0].alt, -11.0);
  EXPECT_EQ(database[1].code, "KMSP");
  EXPECT_EQ(database[1].iata, "");
  EXPECT_DOUBLE_EQ(database[1].alt, 841.8);
  EXPECT_EQ(database[2].code, "LSZH");
  EXPECT_TRUE(log.contains(fmt::format("3 airports read from '{}'", (folder / "airports.xml").string())));
}

TEST(AirportDatabaseTest, BadElementsAreLoggedAndSkipped) {
  test::TempDir folder;
  LogCapture log;
  const AirportDatabase database =
      readText(folder, databaseXml(R"(<airport code="AAAA" lat="1" lon="1"/><airport code="BBBB" lat="1" alt="1"/>)"
                                   R"(<airport code="CCCC" lat="north" lon="1" alt="1"/>)"
                                   R"(<airport code="DDDD" lat="1e999" lon="1" alt="1"/>)"
                                   R"(<airport lat="1" lon="2" alt="3"/>)"));
  ASSERT_EQ(database.size(), 1u);
  EXPECT_EQ(database[0].code, "");
  EXPECT_TRUE(log.contains("Missing lat/lon/alt for airport 'AAAA'"));
  EXPECT_TRUE(log.contains("Missing lat/lon/alt for airport 'BBBB'"));
  EXPECT_TRUE(log.contains("Error parsing coordinates for airport 'CCCC': invalid stod argument"));
  EXPECT_TRUE(log.contains("Error parsing coordinates for airport 'DDDD': stod argument out of range"));
}

TEST(AirportDatabaseTest, UnreadableFilesAreUserError88) {
  test::TempDir folder;
  for (const std::string text : {"<airports><airport", "<list/>", ""}) {
    try {
      readText(folder, text);
      ADD_FAILURE() << text;
    } catch (const UserErrorException& error) {
      EXPECT_EQ(error.code(), 88);
      EXPECT_TRUE(std::string(error.what()).starts_with("88: ")) << error.what();
    }
  }
  try {
    readText(folder, "<list/>");
  } catch (const UserErrorException& error) {
    EXPECT_EQ(error.message(), fmt::format("Missing <airports> root in: {}", (folder / "airports.xml").string()));
  }
  EXPECT_THROW(readAirportDatabase(folder / "missing.xml"), UserErrorException);
}

TEST(AirportDatabaseTest, EveryAirportLackingAltitudeGivesAnEmptyDatabase) {
  test::TempDir folder;
  test::ScopedCurrentDir here(folder.path());
  test::writeFile(paths::input / "none.xml", databaseXml(R"(<airport code="A" lat="1" lon="1"/><airport code="B" lat="1" lon="1"/>)"));
  LogCapture log;
  EXPECT_FALSE(gf_readAirports("none.xml"));
  EXPECT_EQ(log.count("Missing lat/lon/alt"), 2u);
}

TEST(AirportDatabaseTest, ReadOncePerProcessAndAFailureDoesNotCount) {
  test::TempDir folder;
  test::ScopedCurrentDir here(folder.path());
  test::writeFile(paths::input / "broken.xml", "<airports>");
  EXPECT_THROW(gf_readAirports("broken.xml"), UserErrorException);
  test::writeFile(paths::input / "good.xml",
                  databaseXml(R"(<airport code="EHAM" iata="AMS" lat="52.3" lon="4.76" alt="-11"/>)"
                              R"(<airport code="EHLE" lat="52.46" lon="5.52" alt="-13"/>)"));
  EXPECT_TRUE(gf_readAirports("good.xml"));
  LogCapture log;
  EXPECT_TRUE(gf_readAirports("broken.xml"));
  EXPECT_TRUE(log.lines().empty());
  EXPECT_EQ(airportDatabase().size(), 2u);

  EXPECT_TRUE(airportCodeKnown("EHAM"));
  EXPECT_FALSE(airportCodeKnown("eham"));
  EXPECT_FALSE(airportCodeKnown("EHA"));
  EXPECT_FALSE(gf_setParkAirport("EHAX"));
  EXPECT_FALSE(parkAirportIsSet());
  EXPECT_TRUE(gf_setParkAirport("EHAM"));
  EXPECT_EQ(parkAirport().iata, "AMS");
  EXPECT_TRUE(log.contains("\nThe park airport is EHAM (AMS)"));
  EXPECT_TRUE(gf_setParkAirport("EHLE"));
  EXPECT_TRUE(log.contains("\nThe park airport is EHLE"));
  EXPECT_FALSE(log.contains("EHLE "));
}

TEST(AirportDatabaseTest, DisplayNames) {
  EXPECT_EQ(gf_airportDisplayName({.code = "EHAM", .iata = "AMS"}), "EHAM (AMS)");
  EXPECT_EQ(gf_airportDisplayName({.code = "EHLE"}), "EHLE");
  EXPECT_EQ(gf_airportDisplayName({.iata = "XXX"}), "? (XXX)");
}

}  // namespace
}  // namespace tfx::airports
