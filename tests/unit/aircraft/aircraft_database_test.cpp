#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <tuple>

#include "aircraft/aircraft_database.h"
#include "core/log.h"
#include "dbase_fixture.h"
#include "runstate/user_error.h"

namespace tfx {
namespace {

constexpr double kNmPerMetre = 1.0 / 1852.0;

AircraftDatabase loaded(const std::string& xml) {
  pugi::xml_document document;
  EXPECT_TRUE(document.load_string(xml.c_str()));
  AircraftDatabase database;
  database.load(document);
  return database;
}

TEST(AircraftDatabase, ReadsEverySectionAndLogsEachBadRecord) {
  LogCapture log;
  const AircraftDatabase database = loaded(test::fixtureDbaseXml());

  EXPECT_EQ(log.lines(), (std::vector<std::string>{
                             "   2 publishers",
                             "===> wingspan model XXXX is not valid, skipped",
                             "===> wrong part of fix: 'B747', already exists, skipped",
                             "===> wrong fix A380 -> , the latter is not valid",
                             "===> wrong fix X -> QQQQ, the latter is not valid",
                             "===> regcode PH-BXA already exists",
                             "10 dbase records read",
                         }));
  EXPECT_EQ(database.aircraftTypes().size(), 11u);
  EXPECT_TRUE(database.validAcType("B744"));
  EXPECT_FALSE(database.validAcType(""));
  EXPECT_FALSE(database.validAcType("XXXX"));
  EXPECT_TRUE(database.validAirline("FDX"));
  EXPECT_FALSE(database.validAirline("DLH"));
  EXPECT_FALSE(database.validAirline(""));
  EXPECT_EQ(database.cargoTypes(), (CodeSet{"B744", "MD11"}));
  EXPECT_EQ(database.cargoOperators(), (CodeSet{"FDX"}));
  EXPECT_EQ(database.fixes(), (std::unordered_map<std::string, std::string>{{"B747", "B744"}}));
  EXPECT_EQ(database.similarTypes(), (NameGroups{{"B736", "B737", "B738"}, {"E190"}}));
  EXPECT_EQ(database.publishers(), (NameGroups{{"FlyTampa", "Fly Tampa", "Fly_Tampa"}, {"Aerosoft", "Mega Airport"}}));
  EXPECT_EQ(database.simAddonAirports(), (CodeSet{"EGLC", "LOWI"}));
  ASSERT_EQ(database.thirdPartyAirports().size(), 1u);
  EXPECT_EQ(database.thirdPartyAirports()[0].publisher, "FlyTampa");
  EXPECT_EQ(database.thirdPartyAirports()[0].airports, (std::vector<std::string>{"EHAM", "KBOS"}));
}

TEST(AircraftDatabase, CategoriesTakeTheFirstListThatHoldsTheType) {
  const AircraftDatabase database = loaded(test::fixtureDbaseXml());
  EXPECT_EQ(database.acCategory("MD11"), AircraftCategory::Large);  // listed as large and heavy
  EXPECT_EQ(database.acCategory("B738"), AircraftCategory::Large);
  EXPECT_EQ(database.acCategory("A388"), AircraftCategory::Heavy);
  EXPECT_EQ(database.acCategory("C56X"), AircraftCategory::Buzjets);
  EXPECT_EQ(database.acCategory("EC35"), AircraftCategory::Rotorcraft);
  EXPECT_EQ(database.acCategory("F16"), AircraftCategory::HighPerf);
  EXPECT_EQ(database.acCategory("C172"), AircraftCategory::Light);
  EXPECT_EQ(database.acCategory("NONE"), AircraftCategory::Light);
  EXPECT_EQ(categoryName(AircraftCategory::Buzjets), "Buzjets");
  EXPECT_EQ(categoryName(AircraftCategory::Rotorcraft), "Rotorcraft");
}

TEST(AircraftDatabase, HalfWingspansAveragesAndTheLargest) {
  const AircraftDatabase database = loaded(test::fixtureDbaseXml());
  EXPECT_NEAR(database.halfWingspan("B738"), 0.009665, 1e-6);
  // The first B744 value stays, the second one still counts for the largest.
  EXPECT_DOUBLE_EQ(database.halfWingspan("B744"), 64.4 / 2 * kNmPerMetre);
  EXPECT_DOUBLE_EQ(database.largestHalfWingspan(), 90.0 / 2 * kNmPerMetre);

  const double heavy = (79.75 + 64.4) / 4 * kNmPerMetre;
  EXPECT_NEAR(database.averageHalfWingspan(AircraftCategory::Heavy), heavy, 1e-12);
  // Types without their own span take their category's average.
  EXPECT_DOUBLE_EQ(database.halfWingspan("MD11"), database.halfWingspan("B738"));
  EXPECT_DOUBLE_EQ(database.halfWingspan("E190"), database.halfWingspan("B738"));
  EXPECT_DOUBLE_EQ(database.halfWingspan("PA28"), database.halfWingspan("C172"));
  // Categories with no span at all take the average of every stored span.
  const double overall = (35.8 + 79.75 + 11.0 + 64.4 + 10.2) / 5 / 2 * kNmPerMetre;
  EXPECT_NEAR(database.averageHalfWingspan(AircraftCategory::Buzjets), overall, 1e-12);
  EXPECT_NEAR(database.halfWingspan("F16"), overall, 1e-12);
}

TEST(AircraftDatabase, RegistrationsAreFoundInTheirHyphenatedForms) {
  const AircraftDatabase database = loaded(test::fixtureDbaseXml());
  auto airlineOf = [&](std::string_view registration) {
    const auto record = database.findRegcode(registration);
    return record ? record->airline + "/" + record->type : std::string("none");
  };
  EXPECT_EQ(airlineOf("PHBXA"), "KLM/B738");   // PH-BXA, the first of two entries
  EXPECT_EQ(airlineOf("PH-BXA"), "KLM/B738");
  EXPECT_EQ(airlineOf("PHBXC"), "KLM/B737");   // P-HBXC
  EXPECT_EQ(airlineOf("N123AB"), "FDX/MD11");
  EXPECT_EQ(airlineOf("N123AC"), "none");      // never N1-23AC
  EXPECT_EQ(airlineOf("D-ABCD"), "none");      // hyphenated: only as given, never D--ABCD
  EXPECT_EQ(airlineOf("PHBX"), "none");        // four characters: only as given
  EXPECT_EQ(airlineOf(""), "none");
  EXPECT_EQ(database.findRegcode("PH-BXA")->operatorName, "KLM Royal Dutch Airlines");
  EXPECT_EQ(database.registrationCount(), 10u);
}

TEST(AircraftDatabase, CargoReadsTrueOnlyForOneTAndY) {
  const AircraftDatabase database = loaded(test::fixtureDbaseXml());
  EXPECT_TRUE(database.findRegcode("N123AB")->cargo);   // yes
  EXPECT_TRUE(database.findRegcode("C-1")->cargo);      // 1
  EXPECT_TRUE(database.findRegcode("C-4")->cargo);      // True
  EXPECT_FALSE(database.findRegcode("C-2")->cargo);     // 0
  EXPECT_FALSE(database.findRegcode("C-3")->cargo);     // missing
  EXPECT_FALSE(database.findRegcode("PH-BXA")->cargo);  // no
  EXPECT_EQ(database.findRegcode("C-3")->type, "");
}

TEST(AircraftDatabase, PublisherFromFileName) {
  const AircraftDatabase database = loaded(test::fixtureDbaseXml());
  LogCapture log;
  EXPECT_EQ(database.publisherFromFilename("orbx_lowi_airport.bgl"), "simaddon");
  EXPECT_EQ(log.lines(), std::vector<std::string>{"from filename => publisher simaddon"});
  EXPECT_EQ(database.publisherFromFilename("FLY TAMPA EHAM.bgl"), "FlyTampa");
  EXPECT_EQ(database.publisherFromFilename("KBOS_fly_tampa_AF2.bgl"), "FlyTampa");
  EXPECT_EQ(database.publisherFromFilename("MEGA AIRPORT EDDF.BGL"), "Aerosoft");
  EXPECT_EQ(database.publisherFromFilename("EHAM_ADEX.bgl"), "unknown");

  // An empty spelling matches every file: the group order decides.
  const AircraftDatabase catchAll = loaded(
      test::fixtureDbaseXml({}, {{"publishers", R"(<pub names="Someone,"/><pub names="FlyTampa"/>)"}}));
  EXPECT_EQ(catchAll.publisherFromFilename("FlyTampa_KBOS.bgl"), "Someone");
}

TEST(AircraftDatabase, AnEmptyRequiredListStopsTheStartWithError61) {
  const std::vector<std::tuple<std::string, std::string, std::string>> required{
      {"aircrafts", "aircraft", "types"},   {"high_performance", "hpf", "types"}, {"heavy", "hvy", "types"},
      {"large", "lar", "types"},            {"buzjet", "bzj", "types"},           {"rotorcraft", "rot", "types"},
      {"cargo_types", "cargo_type", "types"}, {"ICAO_airlines", "ICAO", "codes"}, {"cargo_operators", "ICAO", "codes"},
      {"simaddonsP3D", "simaddonP3D", "arpts"},
  };
  for (const auto& [sectionName, element, attribute] : required) {
    SCOPED_TRACE(sectionName);
    const std::string expected =
        "In XML file section [" + sectionName + "], element [" + element + "], attribute [" + attribute + "] is empty.";
    for (const std::string& xml :
         {test::fixtureDbaseXml({sectionName}),
          test::fixtureDbaseXml({}, {{sectionName, "<" + element + " " + attribute + "=\"\"/>"}})}) {
      pugi::xml_document document;
      ASSERT_TRUE(document.load_string(xml.c_str()));
      AircraftDatabase database;
      try {
        database.load(document);
        ADD_FAILURE() << "read without " << sectionName;
      } catch (const UserErrorException& error) {
        EXPECT_EQ(error.code(), 61);
        EXPECT_EQ(error.message(), expected);
      }
    }
  }
  // Optional sections may be missing.
  EXPECT_NO_THROW(loaded(test::fixtureDbaseXml(
      {"similar_types", "publishers", "wingspans", "fixes", "thirdpartiesP3D", "dbase"})));
}

}  // namespace
}  // namespace tfx
