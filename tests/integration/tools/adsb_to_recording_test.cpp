#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include <sstream>

#include "child_process.h"
#include "test_support.h"

namespace tfx {
namespace {

const std::filesystem::path kConverter = test::sourceDir() / "tools/feedstandin/adsb_to_recording.py";

int convert(const std::filesystem::path& input, const std::filesystem::path& output, const test::TempDir& folder) {
  test::ChildProcess converter(PYTHON3_PATH, {kConverter.string(), input.string(), output.string()},
                                   {.standardOutput = folder / "out.txt", .standardError = folder / "err.txt"});
  return converter.waitFor(std::chrono::seconds(120)).value_or(-1);
}

std::vector<std::string> datagramsOf(const std::string& recording) {
  std::vector<std::string> lines;
  std::istringstream stream(recording);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

TEST(AdsbToRecordingTest, TheCommittedZurichRecordingIsWhatTheConverterMakes) {
  const auto shared = test::sharedDataFolder();
  test::TempDir folder;
  ASSERT_EQ(convert(shared / "adsb-traces/zurich_airport.json.gz", folder / "zurich.rec", folder), 0)
      << test::readFile(folder / "err.txt");
  EXPECT_TRUE(test::readFile(folder / "zurich.rec") == test::readFile(test::sourceDir() / "data/feed/zurich.rec"));
}

TEST(AdsbToRecordingTest, FaultsOfTheStateVectorsAreMappedNotFatal) {
  test::TempDir folder;
  // One aircraft: a report, its duplicate, one going back in time, a missing
  // altitude and speed in the air, a spike, a ground report, its stale
  // position claiming the air, and junk.
  test::writeFile(folder / "faults.json", R"([
    {"timestamp": 1000000, "icao24": "4b18b8", "callsign": "EDW1  ", "latitude": 47.45, "longitude": 8.57,
     "altitude": 3000.0, "groundspeed": 150.0, "track": 276.0, "vertical_rate": -700.0, "onground": false},
    {"timestamp": 1000000, "icao24": "4b18b8", "callsign": "EDW1", "latitude": 47.45, "longitude": 8.57,
     "altitude": 3000.0, "groundspeed": 150.0, "track": 276.0, "vertical_rate": -700.0, "onground": false},
    {"timestamp": 999000, "icao24": "4b18b8", "callsign": "EDW1", "latitude": 47.44, "longitude": 8.56,
     "altitude": 3100.0, "groundspeed": 150.0, "track": 276.0, "vertical_rate": -700.0, "onground": false},
    {"timestamp": 1001000, "icao24": "4b18b8", "callsign": "EDW1", "latitude": 47.451, "longitude": 8.569,
     "altitude": null, "groundspeed": null, "track": null, "vertical_rate": null, "onground": false},
    {"timestamp": 1002000, "icao24": "4b18b8", "callsign": "EDW1", "latitude": 47.452, "longitude": 8.568,
     "altitude": 36000.0, "groundspeed": 149.0, "track": 277.0, "vertical_rate": -700.0, "onground": false},
    {"timestamp": 1003000, "icao24": "4b18b8", "callsign": "EDW1", "latitude": 47.453, "longitude": 8.567,
     "altitude": 2950.0, "groundspeed": 148.0, "track": 277.0, "vertical_rate": -700.0, "onground": false},
    {"timestamp": 1004000, "icao24": "4b18b8", "callsign": "", "latitude": 47.454, "longitude": 8.566,
     "altitude": 1250.0, "groundspeed": 20.0, "track": 90.0, "vertical_rate": 0.0, "onground": true},
    {"timestamp": 1004500, "icao24": "4b18b8", "callsign": "", "latitude": 47.454, "longitude": 8.566,
     "altitude": 36000.0, "groundspeed": null, "track": null, "vertical_rate": null, "onground": false},
    {"timestamp": 1005000, "icao24": "zz", "latitude": 47.0, "longitude": 8.0},
    {"timestamp": "soon", "icao24": "4b18b8", "latitude": 47.0, "longitude": 8.0},
    [1, 2, 3]
  ])");
  ASSERT_EQ(convert(folder / "faults.json", folder / "faults.rec", folder), 0) << test::readFile(folder / "err.txt");
  const auto lines = datagramsOf(test::readFile(folder / "faults.rec"));
  const std::string tail = ",-1,-1,-1,-1,-1,-1,-1,-1,-1,none,A3";
  const std::vector<std::string> expected{
      "0 49005 RTTFC,4921528,47.4500000,8.5700000,3000,-700,0,276.0,150.0,EDW1,A320,null,null,null,1000.00,replay,"
      "null,adsb_icao" + tail,
      "1000 49005 RTTFC,4921528,47.4510000,8.5690000,3000,-700,0,276.0,150.0,EDW1,A320,null,null,null,1001.00,replay,"
      "null,adsb_icao" + tail,
      "2000 49005 RTTFC,4921528,47.4520000,8.5680000,2975,-700,0,277.0,149.0,EDW1,A320,null,null,null,1002.00,replay,"
      "null,adsb_icao" + tail,
      "3000 49005 RTTFC,4921528,47.4530000,8.5670000,2950,-700,0,277.0,148.0,EDW1,A320,null,null,null,1003.00,replay,"
      "null,adsb_icao" + tail,
      "4000 49005 RTTFC,4921528,47.4540000,8.5660000,0,0,1,90.0,260.9,null,A320,null,null,null,1004.00,replay,"
      "null,adsb_icao" + tail,
  };
  EXPECT_EQ(lines, expected);
}

// Flights of different days at one airport would stand in one another on one
// timeline: each starts at the first 30 s step at which it keeps clear.
TEST(AdsbToRecordingTest, FlightsThatWouldMeetStartWhenTheyKeepClear) {
  test::TempDir folder;
  std::string records = "[";
  const auto add = [&](const char* icao, int64_t day, double longitude, int seconds) {
    for (int second = 0; second <= seconds; ++second) {
      records += fmt::format(R"({}{{"timestamp": {}, "icao24": "{}", "callsign": "C{}", "latitude": {:.5f},
        "longitude": {:.4f}, "altitude": null, "groundspeed": null, "track": 90.0, "vertical_rate": 0.0,
        "onground": true}})",
                             records.size() > 1 ? "," : "", day * 86400000 + second * 1000, icao, icao,
                             47.45 + 0.00001 * second, longitude);
    }
  };
  add("4b18b8", 0, 8.57, 40);   // stands for 40 s and creeps 45 m north
  add("0083c3", 3, 8.57, 20);   // on another day at the same place
  add("4891b6", 7, 8.5703, 10); // 22 m east of them: an A320 and a B737 need 56 m
  add("4d20cd", 9, 8.59, 60);   // a business jet 1.5 km away
  test::writeFile(folder / "days.json", records + "]");
  ASSERT_EQ(convert(folder / "days.json", folder / "days.rec", folder), 0) << test::readFile(folder / "err.txt");
  std::map<std::string, std::pair<long, long>> played;  // first and last offset by hexid
  for (const std::string& line : datagramsOf(test::readFile(folder / "days.rec"))) {
    const long offset = std::stol(line);
    const std::string fields = line.substr(line.find("RTTFC,") + 6);
    const std::string hexid = fields.substr(0, fields.find(','));
    auto [entry, added] = played.try_emplace(hexid, offset, offset);
    entry->second.second = offset;
  }
  using Span = std::pair<long, long>;
  EXPECT_EQ(played.at(std::to_string(0x4b18b8)), (Span{0, 40000}));
  EXPECT_EQ(played.at(std::to_string(0x0083c3)), (Span{60000, 80000})) << "clear once the first has left at 40 s";
  EXPECT_EQ(played.at(std::to_string(0x4891b6)), (Span{90000, 100000}));
  EXPECT_EQ(played.at(std::to_string(0x4d20cd)), (Span{0, 60000}));
}

// The state vectors of a landing aircraft go on carrying its last airborne
// speed while it rolls out, taxis and stands; a feed reports the speed it
// moves at on the ground, which the program's report checks rely on.
TEST(AdsbToRecordingTest, GroundSpeedOnTheGroundIsMeasuredFromThePositions) {
  test::TempDir folder;
  std::string records = R"([{"timestamp": 2000000, "icao24": "0083c3", "callsign": "CAI1", "latitude": 47.45,
    "longitude": 8.57, "altitude": 1500.0, "groundspeed": 130.0, "track": 0.0, "vertical_rate": -600.0,
    "onground": false})";
  for (int second = 1; second <= 16; ++second) {
    const double latitude = 47.45 + 0.0001 * std::min(second, 4);  // 11.1 m a second, then still
    records += fmt::format(R"(, {{"timestamp": {}, "icao24": "0083c3", "callsign": "CAI1", "latitude": {:.4f},
      "longitude": 8.57, "altitude": null, "groundspeed": 130.0, "track": 0.0, "vertical_rate": -600.0,
      "onground": true}})",
                           2000000 + 1000 * second, latitude);
  }
  test::writeFile(folder / "landing.json", records + "]");
  ASSERT_EQ(convert(folder / "landing.json", folder / "landing.rec", folder), 0) << test::readFile(folder / "err.txt");
  std::vector<std::string> speeds;
  for (const std::string& line : datagramsOf(test::readFile(folder / "landing.rec"))) {
    std::vector<std::string> fields;
    std::istringstream datagram(line.substr(line.find("RTTFC")));
    for (std::string field; std::getline(datagram, field, ',');) fields.push_back(field);
    speeds.push_back(fields.at(8));
  }
  ASSERT_EQ(speeds.size(), 17u);
  EXPECT_EQ(speeds[0], "130.0") << "in the air the state vector's speed stays";
  for (int second = 1; second <= 4; ++second) EXPECT_EQ(speeds[second], "21.6") << second;
  EXPECT_EQ(speeds[10], "8.6") << "44.5 m in the 10 s since the report in the air";
  for (int second = 14; second <= 16; ++second) EXPECT_EQ(speeds[second], "0.0") << second;
}

}  // namespace
}  // namespace tfx
