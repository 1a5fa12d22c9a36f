// data/groundnet_to_stands.py on the shared FlightGear groundnets and
// timetables, and the stand files it makes read back by aeroshadow-tool stands.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <pugixml.hpp>
#include <set>
#include <sstream>

#include "aircraft/aircraft_queries.h"
#include "airports/parking_parameters.h"
#include "airports/stand_file_format.h"
#include "airports/stand_file_write.h"
#include "child_process.h"
#include "core/meta_block.h"
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

void setText(pugi::xml_node node, const char* name, const std::string& value) {
  node.append_attribute(name).set_value(value.c_str());
}

void appendStand(pugi::xml_node positions, const airports::Stand& stand, bool learned) {
  pugi::xml_node parkpos = positions.append_child("parkpos");
  setText(parkpos, "id", stand.id);
  if (!learned || stand.manual) {
    setText(parkpos, "latitude", fmt::format("{:.6f}", stand.lat));
    setText(parkpos, "longitude", fmt::format("{:.6f}", stand.lon));
    setText(parkpos, "heading", fmt::format("{:.1f}", stand.heading * kRadToDeg));
    setText(parkpos, "radius", fmt::format("{:.1f}", stand.radius / airports::kNmPerMeter));
    setText(parkpos, stand.heli ? "heli" : "cargo", stand.heli || stand.cargo ? "true" : "false");
    setText(parkpos, "ramp", stand.ramp ? "true" : "false");
    if (stand.manual) setText(parkpos, "manual", "true");
  } else {
    if (stand.radiusChanged) {
      setText(parkpos, "radius_change", "true");
      setText(parkpos, "radius", fmt::format("{:.1f}", stand.radius / airports::kNmPerMeter));
    }
    if (stand.cargoChanged) {
      setText(parkpos, "cargo_change", "true");
      setText(parkpos, "cargo", stand.cargo ? "true" : "false");
    }
  }
  for (const airports::StandOption& option : stand.options) {
    if (option.index == 0) continue;
    pugi::xml_node opt = parkpos.append_child("opt");
    setText(opt, "reg", option.registration);
    if (option.registration.empty() || !gf_findRegcode(option.registration)) {
      setText(opt, "airl", option.airline);
      setText(opt, "type", option.type);
    }
    if (option.real == 0) setText(opt, "soft", "true");
    setText(opt, "day", std::to_string(option.day));
    std::string hours;
    for (size_t slot = 0; slot < option.halfHours.size(); ++slot) {
      if (option.halfHours.test(slot)) hours += (hours.empty() ? "" : ",") + std::to_string(slot);
    }
    setText(opt, "hh", hours);
    setText(opt, "cs", option.callsignNote.empty() ? option.callsign : option.callsign + ":" + option.callsignNote);
  }
}

// The stands built as a pugixml document and saved by it: the bytes the
// program's stand files have always had, which the direct text must match.
std::string documentText(const std::vector<airports::Stand>& stands, const airports::AirportFileInfo& info, bool learned) {
  pugi::xml_document document;
  writeMetaBlock(document);
  pugi::xml_node parameters = document.append_child("parameters");
  std::vector<std::pair<std::string, std::string>> values{{"airport_name", info.name},
                                                          {"publisher", info.publisher},
                                                          {"altitude", std::to_string(info.altitude)},
                                                          {"num_parkpos", std::to_string(stands.size())}};
  for (auto& value : airports::parkingParameterValues()) values.push_back(std::move(value));
  for (const auto& [name, value] : values) {
    pugi::xml_node parameter = parameters.append_child("parameter");
    setText(parameter, "name", name);
    setText(parameter, "value", value);
  }
  pugi::xml_node positions = document.append_child("parkpositions");
  for (const airports::Stand& stand : stands) appendStand(positions, stand, learned);
  std::ostringstream text;
  document.save(text, "\t", pugi::format_default, pugi::encoding_utf8);
  return text.str();
}

// Marks some options learned and some stands corrected or made by hand;
// returns what a learned file keeps of them.
std::vector<airports::Stand> learnSome(std::vector<airports::Stand>& stands) {
  std::vector<airports::Stand> learned;
  for (size_t index = 0; index < stands.size(); ++index) {
    airports::Stand& stand = stands[index];
    for (airports::StandOption& option : stand.options) option.origin = option.index % 2;
    stand.radiusChanged = index % 5 == 0;
    stand.cargoChanged = index % 7 == 0;
    stand.manual = index % 11 == 0;
    airports::Stand copy = stand;
    std::erase_if(copy.options, [](const airports::StandOption& option) { return option.origin == 1; });
    if (copy.manual || !copy.options.empty() || copy.radiusChanged || copy.cargoChanged) learned.push_back(copy);
  }
  return learned;
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

TEST_F(GroundnetConvertTest, WrittenAgainAsTheDocumentWritingOfTheSameStands) {
  for (const auto& [code, altitude] : std::vector<std::pair<std::string, std::string>>{
           {"EHAM", "-11"}, {"EGLL", "83"}, {"KJFK", "13"}, {"LSZH", "1417"}}) {
    SCOPED_TRACE(code);
    convertAndRead(code, altitude);
    const pugi::xml_document converted = load(standFile(code));
    const airports::AirportFileInfo info{airports::standFileParameter(converted, "airport_name").value_or(""),
                                         airports::standFileParameter(converted, "publisher").value_or(""),
                                         airports::standFileInt(converted, "altitude", 0)};
    std::vector<airports::Stand> stands = airports::readStandList(converted, 1);
    const std::string all = airports::standFileText({.stands = stands, .info = info}, airports::StandFileMode::All);
    EXPECT_EQ(all, documentText(stands, info, false));
    const std::vector<airports::Stand> learned = learnSome(stands);
    ASSERT_FALSE(learned.empty());
    EXPECT_EQ(airports::standFileText({.stands = stands, .info = info}, airports::StandFileMode::Changes),
              documentText(learned, info, true));
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
