// aeroshadow-tool lab on the Zurich recording without a stand-in park airport:
// the user stands at LSZH's stand E_67, the lab chooses LSZH as the program
// does, puts static aircraft on stands that have an option for them at that
// half-hour, keeps them still, renews them after 20 minutes and removes them
// at the end.
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <tuple>

#include "child_process.h"
#include "test_support.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;

// Stand E_67 of the converted LSZH groundnet.
constexpr const char* kUserAtE67 = "47.462079,8.550912,1416,155";

class LabParkingTest : public ::testing::Test {
 protected:
  LabParkingTest() {
    fs::create_directories(install_ / "input");
    fs::create_directories(install_ / "airports" / "my_thirdparty");
    fs::create_directories(install_ / "airports" / "learned" / "thirdparty" / "FlightGear");
    for (const char* file : {"dbase.enc", "airports_p3d.xml"}) {
      fs::copy_file(test::binaryDir() / "input" / file, install_ / "input" / file);
    }
    fs::copy_file(test::binaryDir() / "stands" / "LSZH.xml", install_ / "airports" / "my_thirdparty" / "LSZH.xml");
    fs::copy_file(test::sourceDir() / "data" / "feed" / "zurich-stands.xml",
                  install_ / "airports" / "learned" / "thirdparty" / "FlightGear" / "LSZH.xml");
  }

  int runLab(const std::vector<std::string>& extra) {
    std::vector<std::string> arguments{"lab",       "--recording",
                                       (test::sourceDir() / "data" / "feed" / "zurich.rec").string(),
                                       "--user",    kUserAtE67,
                                       "--install", install_.string(),
                                       "--out",     (root_ / "out").string()};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    test::ChildProcess tool(AEROSHADOW_TOOL_PATH, arguments,
                            {.standardOutput = root_ / "summary.json", .standardError = root_ / "errors.txt"});
    return tool.waitFor(std::chrono::seconds(300)).value_or(-1);
  }

  std::vector<nlohmann::json> events() const {
    std::vector<nlohmann::json> all;
    std::istringstream lines(test::readFile(root_ / "out" / "events.jsonl"));
    for (std::string line; std::getline(lines, line);) all.push_back(nlohmann::json::parse(line));
    return all;
  }

  test::TempDir root_;
  fs::path install_ = root_ / "install";
};

// Position and heading of every frame row of a static aircraft, by hexid and object.
using StaticPose = std::tuple<std::string, std::string, std::string>;

std::map<std::pair<std::string, std::string>, std::set<StaticPose>> staticPoses(const std::string& frames) {
  std::map<std::pair<std::string, std::string>, std::set<StaticPose>> poses;
  std::istringstream lines(frames);
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line)) {
    if (!line.ends_with(",static")) continue;
    std::vector<std::string> fields;
    std::istringstream row(line);
    for (std::string field; std::getline(row, field, ',');) fields.push_back(field);
    EXPECT_EQ(fields.at(9), "1") << line;  // on the ground
    poses[{fields.at(1), fields.at(2)}].insert({fields.at(3), fields.at(4), fields.at(8)});
  }
  return poses;
}

// Past the first renewal at the 1200th second and its two steps.
TEST_F(LabParkingTest, ZurichGetsStaticAircraftOnMatchingStandsThatNeverMoveAndLeaveAtTheEnd) {
  ASSERT_EQ(runLab({"--duration", "1300", "--frame-hz", "2"}), 0) << test::readFile(root_ / "errors.txt");
  const auto summary = nlohmann::json::parse(test::readFile(root_ / "summary.json"));
  EXPECT_GT(summary["static_created"].get<int>(), 0);
  EXPECT_EQ(summary["static_mismatched"], 0);

  std::vector<nlohmann::json> parkAirports;
  std::vector<nlohmann::json> calculations;
  std::map<uint32_t, std::string> standOf;  // static aircraft standing now
  std::map<uint32_t, std::string> registrationOf;
  std::map<std::string, int> removals;
  for (const nlohmann::json& event : events()) {
    const std::string what = event["what"];
    const nlohmann::json& details = event["details"];
    if (what == "park_airport") parkAirports.push_back(details);
    if (what == "static_parking") calculations.push_back(details);
    if (event["hexid"].is_null() || event["hexid"].get<uint32_t>() > 10000) continue;
    const auto hexid = event["hexid"].get<uint32_t>();
    if (what == "create") {
      const std::string stand = details["stand"];
      EXPECT_NE(stand, "E_67") << "the user's stand is blocked";
      for (const auto& [other, otherStand] : standOf) EXPECT_NE(otherStand, stand) << "two on one stand";
      EXPECT_TRUE(standOf.emplace(hexid, stand).second) << hexid << " created twice";
      const std::string registration = details["registration"];
      for (const auto& [other, otherRegistration] : registrationOf) EXPECT_NE(otherRegistration, registration);
      if (!registration.empty()) registrationOf[hexid] = registration;
    }
    if (what == "remove") {
      EXPECT_EQ(details["state"], "static");
      ++removals[details["reason"].get<std::string>()];
      ASSERT_TRUE(standOf.contains(hexid)) << hexid << " removed but not created";
      standOf.erase(hexid);
      registrationOf.erase(hexid);
    }
  }
  ASSERT_EQ(parkAirports.size(), 2u);
  EXPECT_EQ(parkAirports[0]["code"], "LSZH");
  EXPECT_EQ(parkAirports[0]["stands"], 39);  // 35 from the groundnet, 4 made by hand
  EXPECT_EQ(parkAirports[0]["file"], "airports/my_thirdparty/LSZH.xml");
  EXPECT_TRUE(parkAirports[1]["code"].is_null());

  // The calculation at the start and the renewal after 20 minutes, both on a
  // Thursday evening (the recording starts 2019-10-24 20:21:25 UTC).
  ASSERT_EQ(calculations.size(), 2u);
  for (const nlohmann::json& calculation : calculations) {
    EXPECT_EQ(calculation["day"], 4);
    EXPECT_EQ(calculation["wanted"], 12);  // 30 % of 39
    EXPECT_GT(calculation["found"].get<int>(), 0);
    EXPECT_LE(calculation["found"].get<int>(), 12);
  }
  EXPECT_EQ(calculations[0]["half_hour"], 40);
  EXPECT_EQ(calculations[1]["half_hour"], 41);
  EXPECT_TRUE(standOf.empty()) << "every static aircraft leaves at the close-down";
  EXPECT_GT(removals["out-of-sight"], 0);
  EXPECT_EQ(removals.size(), removals.contains("renewal") ? 2u : 1u);

  const auto poses = staticPoses(test::readFile(root_ / "out" / "frames.csv"));
  EXPECT_FALSE(poses.empty());
  for (const auto& [aircraft, seen] : poses) EXPECT_EQ(seen.size(), 1u) << "static aircraft " << aircraft.first << " moved";

  EXPECT_EQ(test::readFile(install_ / "airports" / "my_park_airports.txt"), "LSZH,E_67\n");
}

// The whole recording with live and static aircraft kept apart: the two
// arrivals drive onto the stands made by hand where they really stopped
// (H_CAI3208 and H_VJT796, the 36th and 37th stand after the groundnet's 35),
// the two departures are pushed back from theirs and leave. Aircraft on the
// ground that stand in each other are always two live ones whose own reports
// come that close (no rule keeps taxiing live aircraft apart), never a
// static one.
TEST_F(LabParkingTest, ZurichArrivalsParkOnTheirStandsAndDeparturesPushBack) {
  ASSERT_EQ(runLab({"--frame-hz", "5", "--set", "COLLISION_LIVE_PARKED_GND=true"}), 0)
      << test::readFile(root_ / "errors.txt");
  const auto summary = nlohmann::json::parse(test::readFile(root_ / "summary.json"));
  EXPECT_EQ(summary["arrivals"], 2);
  EXPECT_LE(summary["park_error_max_m"].get<double>(), 2.0);
  EXPECT_LE(summary["park_heading_error_max_deg"].get<double>(), 1.0);
  EXPECT_EQ(summary["push_backs"], 2);

  std::map<uint32_t, std::string> callsignOf;
  std::map<std::string, std::vector<std::string>> standSteps;
  std::map<std::string, uint32_t> arrivedAt;
  for (const nlohmann::json& event : events()) {
    const std::string what = event["what"];
    const nlohmann::json& details = event["details"];
    if (event["hexid"].is_null()) continue;
    const auto hexid = event["hexid"].get<uint32_t>();
    if (what == "create") callsignOf[hexid] = details["callsign"];
    if (what != "stand") continue;
    const std::string& callsign = callsignOf.at(hexid);
    standSteps[callsign].push_back(details["what"]);
    if (details["what"] == "arrived") {
      arrivedAt[callsign] = details["stand"];
      EXPECT_LE(details["distance_m"].get<double>(), 2.0) << callsign;
      EXPECT_LE(details["heading_error_deg"].get<double>(), 1.0) << callsign;
    }
  }
  EXPECT_EQ(arrivedAt, (std::map<std::string, uint32_t>{{"CAI3208", 36}, {"VJT796", 37}}));
  const std::vector<std::string> departed{"parked", "pushing_back", "pushed_back", "left"};
  EXPECT_EQ(standSteps["ENT57BW"], departed);
  EXPECT_EQ(standSteps["AEE5ZH"], departed);

  for (const nlohmann::json& pair : summary["ground_overlap_pairs"]) {
    for (const char* side : {"a", "b"}) EXPECT_FALSE(pair[side].get<std::string>().ends_with(" (static)")) << pair;
  }
  // The recording lays flights of different days on one timeline, so most
  // overlaps are the feed's. Of the program's own, only SWR75C's ground curve
  // between two noisy reports 300 m apart, which cuts a corner next to SWISS.
  const int64_t ownOverlaps =
      summary["ground_overlaps"].get<int64_t>() - summary["ground_overlaps_as_reported"].get<int64_t>();
  EXPECT_LE(ownOverlaps, 5) << summary["ground_overlap_pairs"];
}

}  // namespace
}  // namespace tfx
