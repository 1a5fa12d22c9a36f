// data/groundnet_to_stands.py on the shared FlightGear groundnets and
// timetables, and the stand files it makes read back by aeroshadow-tool stands.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <pugixml.hpp>
#include <set>
#include <sstream>

#include "child_process.h"
#include "test_support.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;

std::set<std::string> trimmedCodes(const std::string& list) {
  std::set<std::string> codes;
  std::stringstream stream(list);
  for (std::string code; std::getline(stream, code, ',');) {
    code.erase(std::remove(code.begin(), code.end(), ' '), code.end());
    if (!code.empty()) codes.insert(code);
  }
  return codes;
}

class GroundnetConvertTest : public ::testing::Test {
 protected:
  GroundnetConvertTest() {
    fs::create_directories(install_ / "input");
    fs::copy_file(test::binaryDir() / "input" / "airports_p3d.xml", install_ / "input" / "airports_p3d.xml");
  }

  int run(const std::string& program, std::vector<std::string> arguments) {
    test::ChildProcess child(program, arguments,
                             {.standardOutput = root_ / "out.txt",
                              .standardError = root_ / "err.txt",
                              .workingDirectory = root_.path(),
                              .environment = {{"XDG_CONFIG_HOME", (root_ / "config").string()}}});
    return child.waitFor(std::chrono::seconds(120)).value_or(-1);
  }

  int convert(const fs::path& groundnet, const fs::path& output, const std::string& altitude, bool timetables) {
    std::vector<std::string> arguments{(test::sourceDir() / "data" / "groundnet_to_stands.py").string(),
                                       groundnet.string(), output.string(), "--altitude", altitude};
    if (timetables) {
      for (const char* airline : {"SWR", "EDW", "KLM"}) {
        arguments.push_back("--timetable");
        arguments.push_back((test::sharedDataFolder() / "fg-ai-timetables" / (std::string(airline) + ".xml")).string());
      }
    }
    return run(PYTHON3_PATH, arguments);
  }

  // Converts the shared groundnet of the airport into my_thirdparty and reads it back.
  nlohmann::json convertAndRead(const std::string& code, const std::string& altitude) {
    const fs::path groundnet = test::sharedDataFolder() / "groundnets" / (code + ".groundnet.xml");
    EXPECT_EQ(convert(groundnet, standFile(code), altitude, true), 0) << errors();
    EXPECT_EQ(run(AEROSHADOW_TOOL_PATH, {"stands", code, "--install", install_.string(), "--at", "2025-02-05T10:00:00Z"}), 0)
        << errors();
    return nlohmann::json::parse(test::readFile(root_ / "out.txt"));
  }

  fs::path standFile(const std::string& code) const { return install_ / "airports" / "my_thirdparty" / (code + ".xml"); }
  std::string errors() const { return test::readFile(root_ / "err.txt"); }

  static pugi::xml_document load(const fs::path& path) {
    pugi::xml_document document;
    EXPECT_TRUE(document.load_file(path.c_str())) << path;
    return document;
  }

  test::TempDir root_;
  fs::path install_ = root_ / "install";
};

TEST_F(GroundnetConvertTest, EveryStandOfTheFourAirportsReadsBack) {
  for (const auto& [code, altitude] : std::vector<std::pair<std::string, std::string>>{
           {"EHAM", "-11"}, {"EGLL", "83"}, {"KJFK", "13"}, {"LSZH", "1417"}}) {
    SCOPED_TRACE(code);
    const pugi::xml_document groundnet = load(test::sharedDataFolder() / "groundnets" / (code + ".groundnet.xml"));
    const auto parkings = groundnet.select_nodes("/groundnet/parkingList/Parking");
    const nlohmann::json stands = convertAndRead(code, altitude);
    ASSERT_EQ(stands["standCount"], parkings.size());
    EXPECT_EQ(stands["publisher"], "FlightGear");
    EXPECT_EQ(stands["airportName"], code);
    EXPECT_EQ(stands["altitudeFt"], std::stoi(altitude));
    EXPECT_GT(stands["qualityReal"], 0);
    EXPECT_EQ(stands["qualitySoft"], 0);
    std::set<std::string> ids;
    size_t options = 0;
    for (size_t index = 0; index < parkings.size(); ++index) {
      const nlohmann::json& stand = stands["stands"][index];
      const pugi::xml_node parking = parkings[index].node();
      EXPECT_TRUE(ids.insert(stand["id"].get<std::string>()).second);
      EXPECT_NEAR(stand["radiusM"].get<double>(), parking.attribute("radius").as_double(), 0.05 + 1e-9);
      EXPECT_GE(stand["headingDeg"], 0.0);
      EXPECT_LT(stand["headingDeg"], 360.0);
      for (const nlohmann::json& option : stand["options"]) {
        EXPECT_GE(option["day"], 1);
        EXPECT_LE(option["day"], 7);
        EXPECT_FALSE(option["halfHours"].empty());
        EXPECT_NE(option["callsignNote"], "");
        ++options;
      }
    }
    EXPECT_GT(options, 0u);
  }
}

TEST_F(GroundnetConvertTest, RepeatedNamesNumbersAndAirlineCodesWithBlanks) {
  const nlohmann::json stands = convertAndRead("EHAM", "-11");
  EXPECT_EQ(stands["stands"][0]["id"], "R02");
  EXPECT_EQ(stands["stands"][0]["cargo"], true);
  std::set<std::string> ids;
  for (const nlohmann::json& stand : stands["stands"]) ids.insert(stand["id"].get<std::string>());
  EXPECT_TRUE(ids.contains("R1") && ids.contains("R1_2") && ids.contains("R1_3"));
  // Occupancies land only on stands that name their airline or name none; the
  // converter's own file still holds the timetable's airline codes.
  const pugi::xml_document groundnet = load(test::sharedDataFolder() / "groundnets" / "EHAM.groundnet.xml");
  const pugi::xml_document converted = load(standFile("EHAM"));
  const auto parkings = groundnet.select_nodes("/groundnet/parkingList/Parking");
  const auto positions = converted.select_nodes("/parkpositions/parkpos");
  ASSERT_EQ(parkings.size(), positions.size());
  size_t onCodedStands = 0;
  for (size_t index = 0; index < parkings.size(); ++index) {
    const std::set<std::string> codes = trimmedCodes(parkings[index].node().attribute("airlineCodes").as_string());
    const bool cargo = std::string(parkings[index].node().attribute("type").as_string()) == "cargo";
    for (pugi::xml_node opt : positions[index].node().children("opt")) {
      if (!codes.empty()) {
        EXPECT_TRUE(codes.contains(opt.attribute("airl").as_string())) << positions[index].node().attribute("id").value();
        ++onCodedStands;
      }
      EXPECT_EQ(cargo, positions[index].node().attribute("cargo").as_bool());
    }
  }
  EXPECT_GT(onCodedStands, 0u);
}

TEST_F(GroundnetConvertTest, NegativeHeadingsKeptAndHelipadsMarked) {
  const nlohmann::json egll = convertAndRead("EGLL", "83");
  const pugi::xml_document converted = load(standFile("EGLL"));
  EXPECT_STREQ(converted.select_node("/parkpositions/parkpos[@id='104']").node().attribute("heading").value(), "-34.6");
  EXPECT_NEAR(egll["stands"][1]["headingDeg"].get<double>(), 325.4, 1e-6);

  const nlohmann::json lszh = convertAndRead("LSZH", "1417");
  std::set<std::string> helipads;
  size_t ramps = 0;
  for (const nlohmann::json& stand : lszh["stands"]) {
    if (stand["heli"] == true) helipads.insert(stand["id"].get<std::string>());
    if (stand["ramp"] == true) ++ramps;
  }
  EXPECT_EQ(helipads.size(), 12u);
  EXPECT_EQ(ramps, 23u);  // the groundnet's "ga" positions
  EXPECT_TRUE(helipads.contains("Helipad_East") && !helipads.contains("REGA_Center"));
}

TEST_F(GroundnetConvertTest, UnreadableGroundnetWritesNothing) {
  test::writeFile(root_ / "broken.groundnet.xml", "<groundnet><parkingList><Parking name=");
  EXPECT_EQ(convert(root_ / "broken.groundnet.xml", root_ / "broken.xml", "10", false), 1);
  EXPECT_FALSE(errors().empty());
  test::writeFile(root_ / "XBAD.groundnet.xml",
                  R"(<groundnet><parkingList><Parking name="A" lat="north" lon="E8 33.1" radius="20"/></parkingList></groundnet>)");
  EXPECT_EQ(convert(root_ / "XBAD.groundnet.xml", root_ / "XBAD.xml", "10", false), 1);
  EXPECT_NE(errors().find("bad lat 'north'"), std::string::npos) << errors();
  EXPECT_FALSE(fs::exists(root_ / "broken.xml"));
  EXPECT_FALSE(fs::exists(root_ / "XBAD.xml"));
}

TEST_F(GroundnetConvertTest, DecimalDegreesAndNamesWithoutTimetables) {
  test::writeFile(root_ / "xsmp.groundnet.xml",
                  R"(<groundnet><parkingList>)"
                  R"(<Parking name="5" number="1" type="gate" lat="-33.5" lon="W151 10.5" heading="360" radius="18"/>)"
                  R"(<Parking name="A" number="" type="cargo-heavy" lat="N0 0.6" lon="E0 0.6" heading="0" radius="30"/>)"
                  R"(</parkingList></groundnet>)");
  ASSERT_EQ(convert(root_ / "xsmp.groundnet.xml", standFile("XSMP"), "20", false), 0) << errors();
  const pugi::xml_document converted = load(standFile("XSMP"));
  EXPECT_TRUE(converted.select_node("/parameters/parameter[@name='airport_name' and @value='XSMP']"));
  EXPECT_FALSE(converted.select_node("/parameters/parameter[@name='Qf_real']"));
  const pugi::xml_node first = converted.select_node("/parkpositions/parkpos").node();
  EXPECT_STREQ(first.attribute("id").value(), "5");
  EXPECT_STREQ(first.attribute("latitude").value(), "-33.500000");
  EXPECT_STREQ(first.attribute("longitude").value(), "-151.175000");
  EXPECT_STREQ(first.attribute("heading").value(), "360.0");
  EXPECT_STREQ(first.next_sibling().attribute("cargo").value(), "true");
}

}  // namespace
}  // namespace tfx
