// aeroshadow-tool static-parking on stand files the groundnet converter
// makes from the shared LSZH, EHAM and EGLL groundnets and timetables: every
// static aircraft stands for an option of its stand at its half-hour.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "child_process.h"
#include "test_support.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;

constexpr const char* kWednesdayMorning = "2025-02-05T10:00:00Z";  // day 3, half-hour 20
constexpr const char* kNoSite = "http://127.0.0.1:9/";

class StaticParkingCommandTest : public ::testing::Test {
 protected:
  StaticParkingCommandTest() {
    fs::create_directories(install_ / "input");
    fs::copy_file(test::binaryDir() / "input" / "airports_p3d.xml", install_ / "input" / "airports_p3d.xml");
  }

  int run(const std::string& program, const std::vector<std::string>& arguments) {
    test::ChildProcess child(program, arguments,
                             {.standardOutput = root_ / "out.json",
                              .standardError = root_ / "err.txt",
                              .workingDirectory = root_.path(),
                              .environment = {{"XDG_CONFIG_HOME", (root_ / "config").string()}}});
    return child.waitFor(std::chrono::seconds(120)).value_or(-1);
  }
  int tool(std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), {"--install", install_.string(), "--site", kNoSite});
    return run(AEROSHADOW_TOOL_PATH, arguments);
  }
  void convert(const std::string& code, const std::string& altitude) {
    std::vector<std::string> arguments{(test::sourceDir() / "data" / "groundnet_to_stands.py").string(),
                                       (test::sharedDataFolder() / "groundnets" / (code + ".groundnet.xml")).string(),
                                       (install_ / "airports" / "my_thirdparty" / (code + ".xml")).string(),
                                       "--altitude", altitude};
    for (const char* airline : {"SWR", "EDW", "KLM"}) {
      arguments.push_back("--timetable");
      arguments.push_back((test::sharedDataFolder() / "fg-ai-timetables" / (std::string(airline) + ".xml")).string());
    }
    ASSERT_EQ(run(PYTHON3_PATH, arguments), 0) << errors();
  }
  nlohmann::json output() const { return nlohmann::json::parse(test::readFile(root_ / "out.json")); }
  std::string errors() const { return test::readFile(root_ / "err.txt"); }

  // The stands as the stands command prints them, by id.
  std::map<std::string, nlohmann::json> standsById(const std::string& code) {
    EXPECT_EQ(tool({"stands", code, "--at", kWednesdayMorning}), 0) << errors();
    const nlohmann::json printed = output();
    std::map<std::string, nlohmann::json> stands;
    for (const nlohmann::json& stand : printed["stands"]) stands[stand["id"].get<std::string>()] = stand;
    return stands;
  }

  test::TempDir root_;
  fs::path install_ = root_ / "install";
};

// The day and half-hour `fit` half-hours before day 3, half-hour 20.
std::pair<int, int> shiftedTarget(int fit) {
  const int halfHour = 20 - fit;
  return halfHour >= 0 ? std::pair{3, halfHour} : std::pair{2, halfHour + 48};
}

bool optionHolds(const nlohmann::json& stand, const nlohmann::json& chosen) {
  const auto [day, halfHour] = shiftedTarget(chosen["fit"].get<int>());
  for (const nlohmann::json& option : stand["options"]) {
    const nlohmann::json& hours = option["halfHours"];
    if (option["callsign"] == chosen["callsign"] && option["registration"] == chosen["registration"] &&
        option["type"] == chosen["type"] && option["day"] == day &&
        std::find(hours.begin(), hours.end(), halfHour) != hours.end()) {
      return true;
    }
  }
  return false;
}

TEST_F(StaticParkingCommandTest, StaticAircraftMatchTheStandUseOfTheirHalfHour) {
  for (const auto& [code, altitude] : std::vector<std::pair<std::string, std::string>>{
           {"LSZH", "1417"}, {"EHAM", "-11"}, {"EGLL", "83"}}) {
    SCOPED_TRACE(code);
    convert(code, altitude);
    const std::map<std::string, nlohmann::json> stands = standsById(code);
    ASSERT_EQ(tool({"static-parking", code, "--at", kWednesdayMorning, "--set", "RANDOM=false"}), 0) << errors();
    const nlohmann::json parking = output();
    EXPECT_EQ(parking["day"], 3);
    EXPECT_EQ(parking["halfHour"], 20);
    ASSERT_EQ(parking["stands"], stands.size());
    EXPECT_EQ(parking["wanted"], std::lround(0.3 * static_cast<double>(stands.size())));
    EXPECT_EQ(parking["percentage"], 30);
    const nlohmann::json& chosen = parking["static"];
    ASSERT_FALSE(chosen.empty());
    EXPECT_LE(chosen.size(), parking["wanted"].get<size_t>());
    std::set<std::string> used;
    std::set<std::string> registrations;
    for (const nlohmann::json& aircraft : chosen) {
      const std::string id = aircraft["stand"].get<std::string>();
      EXPECT_TRUE(used.insert(id).second) << id;
      if (!aircraft["registration"].get<std::string>().empty()) {
        EXPECT_TRUE(registrations.insert(aircraft["registration"].get<std::string>()).second);
      }
      EXPECT_EQ(aircraft["round"], "real");
      EXPECT_TRUE(optionHolds(stands.at(id), aircraft)) << id << " " << aircraft.dump();
    }
    for (const std::string& id : used) {
      for (const nlohmann::json& overlapping : stands.at(id)["overlaps"]) EXPECT_FALSE(used.contains(overlapping)) << id;
    }
  }
}

TEST_F(StaticParkingCommandTest, TheUsersStandAndTheReservedStandStayFree) {
  convert("LSZH", "1417");
  const std::map<std::string, nlohmann::json> stands = standsById("LSZH");
  // The stands chosen at full percentage, then the first two of them taken by the user.
  ASSERT_EQ(tool({"static-parking", "LSZH", "--at", kWednesdayMorning, "--set", "RANDOM=false", "--set",
                  "CUSTOM_PARKING_PERCENTAGE=100"}),
            0)
      << errors();
  const nlohmann::json all = output()["static"];
  ASSERT_GE(all.size(), 2u);
  const std::string userStand = all[0]["stand"];
  const std::string reserved = all[1]["stand"];
  test::writeFile(install_ / "airports" / "my_park_airports.txt", "LSZH," + reserved + "\n");
  const nlohmann::json& at = stands.at(userStand);
  ASSERT_EQ(tool({"static-parking", "LSZH", "--at", kWednesdayMorning, "--set", "RANDOM=false", "--set",
                  "CUSTOM_PARKING_PERCENTAGE=100", "--user",
                  fmt::format("{},{}", at["lat"].get<double>(), at["lon"].get<double>() + 0.0001)}),
            0)
      << errors();
  const nlohmann::json parking = output();
  EXPECT_EQ(parking["reserved"], reserved);
  std::set<std::string> blocked(parking["blocked"].begin(), parking["blocked"].end());
  EXPECT_EQ(blocked, (std::set<std::string>{userStand, reserved}));
  // Stands the two overlapped may now be used instead.
  EXPECT_GE(parking["static"].size(), all.size() - 2);
  for (const nlohmann::json& aircraft : parking["static"]) EXPECT_FALSE(blocked.contains(aircraft["stand"]));
}

TEST_F(StaticParkingCommandTest, BadUsageAndUnknownAirports) {
  EXPECT_EQ(tool({"static-parking", "LSZH"}), 2);
  EXPECT_NE(errors().find("usage: aeroshadow-tool static-parking"), std::string::npos);
  EXPECT_EQ(tool({"static-parking", "LSZH", "--at", "noon"}), 2);
  EXPECT_EQ(tool({"static-parking", "LSZH", "--at", kWednesdayMorning, "--user", "north"}), 2);
  EXPECT_EQ(tool({"static-parking", "EDDF", "--at", kWednesdayMorning}), 1);
  EXPECT_NE(errors().find("lf_readParkedFile EDDF not found"), std::string::npos) << errors();
}

}  // namespace
}  // namespace tfx
