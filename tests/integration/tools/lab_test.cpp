// aeroshadow-tool lab on the Zurich recording: every aircraft is made and then
// spawned or dropped for a stated reason, every spawned one gets its object and
// shows in the frames, and a second run writes the same files.
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "aircraft/liveries_file.h"
#include "child_process.h"
#include "test_support.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;

int runLab(const test::TempDir& folder, const std::string& out, std::vector<std::string> extra = {}) {
  std::vector<std::string> arguments = {"lab",
                                        "--recording",
                                        (test::sourceDir() / "data" / "feed" / "zurich.rec").string(),
                                        "--user",
                                        "47.4647,8.5492,1416,0",
                                        "--park",
                                        "47.4647,8.5492,1416",
                                        "--install",
                                        test::binaryDir().string(),
                                        "--out",
                                        (folder / out).string()};
  arguments.insert(arguments.end(), extra.begin(), extra.end());
  test::ChildProcess tool(AEROSHADOW_TOOL_PATH, arguments,
                          {.standardOutput = folder / (out + ".json"), .standardError = folder / (out + ".err")});
  // Sanitizer builds take minutes.
  return tool.waitFor(std::chrono::seconds(180)).value_or(-1);
}

// Every flight of the recording reports within its first 1000 s; a few frames
// a second keep the frames of ten objects quick in unoptimised builds.
const std::vector<std::string> kFirstPart{"--duration", "1000", "--frame-hz", "5"};

TEST(LabTest, EveryZurichFlightIsMadeAndSpawnedOrDroppedForAReasonAndShownTheSameWayTwice) {
  test::TempDir folder;
  ASSERT_EQ(runLab(folder, "first", kFirstPart), 0) << test::readFile(folder / "first.err");
  ASSERT_EQ(runLab(folder, "second", kFirstPart), 0) << test::readFile(folder / "second.err");

  const auto summary = nlohmann::json::parse(test::readFile(folder / "first.json"));
  EXPECT_EQ(summary["cycles"], summary["seconds"].get<double>() * 100);
  EXPECT_GT(summary["reports"].get<int>(), 1000);
  EXPECT_GT(summary["created"].get<int>(), 0);
  EXPECT_EQ(summary["created"], summary["spawned"].get<int>() + summary["dropped"].get<int>());
  EXPECT_EQ(summary["arrivals"], 0) << "the --park airport has no stands";
  EXPECT_EQ(summary["park_error_max_m"], 0.0);
  EXPECT_GE(summary["ground_overlaps"].get<int>(), 0);
  EXPECT_GT(summary["ground_jump_max_m"].get<double>(), 0.0) << "aircraft move on the ground";

  std::set<uint32_t> created;
  std::set<uint32_t> withObject;
  std::set<uint32_t> spawned;  // a record removed when its reports end is made and spawned again by later ones
  std::map<uint32_t, std::string> outcome;
  std::istringstream events(test::readFile(folder / "first" / "events.jsonl"));
  double lastTime = 0;
  for (std::string line; std::getline(events, line);) {
    const auto event = nlohmann::json::parse(line);
    EXPECT_GE(event["t_s"].get<double>(), lastTime) << line;
    lastTime = event["t_s"].get<double>();
    const auto hexid = event["hexid"].get<uint32_t>();
    const std::string what = event["what"];
    if (what == "create") created.insert(hexid);
    if (what == "spawn") {
      outcome.try_emplace(hexid, "spawn");
      spawned.insert(hexid);
    }
    if (what == "object") {
      EXPECT_GE(event["details"]["object_id"].get<uint32_t>(), 3u) << line;
      withObject.insert(hexid);
    }
    if (what == "drop") {
      EXPECT_FALSE(event["details"]["reason"].get<std::string>().empty()) << line;
      outcome.try_emplace(hexid, "drop");
    }
  }
  for (uint32_t hexid : created) EXPECT_TRUE(outcome.contains(hexid)) << hexid << " neither spawned nor dropped";

  for (const char* file : {"events.jsonl", "frames.csv", "log.txt"}) {
    EXPECT_EQ(test::readFile(folder / "first" / file), test::readFile(folder / "second" / file)) << file;
  }
  EXPECT_EQ(withObject, spawned);

  std::istringstream frames(test::readFile(folder / "first" / "frames.csv"));
  std::string line;
  std::getline(frames, line);
  EXPECT_EQ(line, "t_s,hexid,object_id,lat,lon,alt_ft,pitch_deg,bank_deg,heading_deg,on_ground,state");
  std::set<uint32_t> shownActive;
  while (std::getline(frames, line)) {
    if (!line.ends_with(",active")) continue;
    const size_t first = line.find(',');
    shownActive.insert(static_cast<uint32_t>(std::stoul(line.substr(first + 1, line.find(',', first + 1) - first - 1))));
  }
  EXPECT_EQ(shownActive, withObject);
}

TEST(LabTest, WithALiveryListMatchingChoosesAndTheSimulatorRefusesWhatItLacks) {
  test::TempDir folder;
  const fs::path liveries = folder / "LiveriesScanned.xml";
  ASSERT_TRUE(saveScannedLiveries(
      {{"SWR", "A320", "Swiss A320", "", 1, false}, {"EDW", "A320", "Edelweiss A320", "", 1, false}}, liveries));
  test::writeFile(folder / "titles.txt", "Swiss A320\n");
  ASSERT_EQ(runLab(folder, "matched",
                   {"--duration", "200", "--frame-hz", "5", "--liveries", liveries.string(), "--titles",
                    (folder / "titles.txt").string()}),
            0)
      << test::readFile(folder / "matched.err");

  std::map<std::string, std::string> titleOf;  // callsign -> title spawned with
  std::set<uint32_t> refused;
  std::istringstream events(test::readFile(folder / "matched" / "events.jsonl"));
  for (std::string line; std::getline(events, line);) {
    const auto event = nlohmann::json::parse(line);
    if (event["what"] == "spawn") titleOf[event["details"]["callsign"]] = event["details"]["title"];
    if (event["what"] == "erase" && event["details"]["reason"] == "refused") refused.insert(event["hexid"].get<uint32_t>());
  }
  EXPECT_EQ(titleOf["SWR5220"], "Swiss A320");
  EXPECT_EQ(titleOf["EDW229"], "Edelweiss A320");
  EXPECT_EQ(refused, std::set<uint32_t>{4921528}) << "EDW229's livery is refused";
  EXPECT_NE(test::readFile(folder / "matched" / "log.txt").find("EDW229 'Edelweiss A320' could not be created by your Sim!"),
            std::string::npos);
}

TEST(LabTest, ABadRecordingLineStopsTheLabBeforeAnythingIsWritten) {
  test::TempDir folder;
  test::writeFile(folder / "bad.rec", "# comment\n0 49005 RTTFC,1\nnot a line\n");
  test::ChildProcess tool(AEROSHADOW_TOOL_PATH,
                          {"lab", "--recording", (folder / "bad.rec").string(), "--user", "47,8,0,0", "--out",
                           (folder / "out").string()},
                          {.standardError = folder / "err.txt"});
  EXPECT_EQ(tool.waitFor(std::chrono::seconds(20)), 1);
  EXPECT_NE(test::readFile(folder / "err.txt").find("bad.rec:3: expected OFFSET_MS PORT DATAGRAM"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder / "out"));
}

TEST(LabTest, BadUsageExitsWithTwo) {
  test::TempDir folder;
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"lab", "--user", "47,8,0,0", "--out", "x"},
        std::vector<std::string>{"lab", "--recording", "r", "--user", "47,8,0,0", "--out", "x", "--bogus"},
        std::vector<std::string>{"lab", "--recording", "r", "--user", "47,8,0,0", "--out", "x", "--set", "NOPE=1"}}) {
    test::ChildProcess tool(AEROSHADOW_TOOL_PATH, arguments, {.standardError = folder / "err.txt"});
    EXPECT_EQ(tool.waitFor(std::chrono::seconds(20)), 2) << arguments.back();
  }
}

}  // namespace
}  // namespace tfx
