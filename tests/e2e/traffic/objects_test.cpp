// The program against both stand-ins replaying the first minute of the Zurich
// recording: its aircraft become AI objects with a livery the simulator has
// and move; a livery the simulator lacks is refused and the user is told.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "eventually.h"
#include "program_world.h"

namespace tfx::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* kInstalledTitle = "Swiss Boeing 737-800";
// Installed as an AI livery (its registration's own), unknown to the simulator.
constexpr const char* kMissingTitle = "KLM Boeing 737-800 PH-BXA";

// The first minute of the Zurich recording, 10 s later so that the readers
// are up, and a KLM 737 with the registration of the missing livery.
std::string shortZurichRecording() {
  std::istringstream zurich(readFile(sourceDir() / "data" / "feed" / "zurich.rec"));
  std::string recording = "# the first minute of zurich.rec and a KLM 737\n";
  for (std::string line; std::getline(zurich, line);) {
    if (line.empty() || line.front() == '#') continue;
    const long offset = std::stol(line.substr(0, line.find(' ')));
    if (offset >= 60000) break;
    recording += fmt::format("{}{}\n", offset + 10000, line.substr(line.find(' ')));
  }
  for (int step = 0; step < 12; ++step) {
    recording += fmt::format(
        "{} 49005 RTTFC,4852001,{:.4f},8.5600,6000,-640,0,90.0,250,KLM1234,B738,PH-BXA,EHAM,LSZH,0,X,KL1234,"
        "adsb_icao,6100,240,262,0.42,0,-1,90,90.0,-640,none,A3\n",
        10000 + step * 5000, 47.45 + 0.01 * step);
  }
  return recording;
}

struct TracedObject {
  std::string title;
  std::string first;  // "lat;lon" of its first and last frame
  std::string last;
};

// The stand-in's trace: time;objectId;title;lat;lon;...
std::map<std::string, TracedObject> tracedObjects(const std::string& trace) {
  std::map<std::string, TracedObject> objects;
  std::istringstream lines(trace);
  std::string line;
  std::getline(lines, line);  // heading
  while (std::getline(lines, line)) {
    std::vector<std::string> fields;
    std::istringstream row(line);
    for (std::string field; std::getline(row, field, ';');) fields.push_back(field);
    if (fields.size() < 10) continue;
    TracedObject& object = objects[fields[1]];
    object.title = fields[2];
    object.last = fields[3] + ";" + fields[4];
    if (object.first.empty()) object.first = object.last;
  }
  return objects;
}

TEST(ObjectsTest, ZurichAircraftAppearWithTheirLiveryMoveAndAMissingLiveryIsRefused) {
  ProgramWorld world;
  TempDir folder;
  writeFile(folder / "zurich-minute.rec", shortZurichRecording());
  writeFile(folder / "titles.txt", std::string(kInstalledTitle) + "\n");
  world.startSimulator({"--titles=" + (folder / "titles.txt").string()});
  world.startProgram();
  world.startFeed({"--replay", (folder / "zurich-minute.rec").string()});
  ASSERT_TRUE(world.logShows("Traffic Reader connected", 60s)) << world.log();
  EXPECT_TRUE(world.logShows(fmt::format("KLM1234 '{}' could not be created by your Sim!", kMissingTitle), 150s))
      << world.log();
  // The aircraft spawned within 30 s of their second report and move on with their reports.
  std::map<std::string, TracedObject> objects;
  const bool moved = eventually(
      [&] {
        objects = tracedObjects(readFile(world.root() / "trace.txt"));
        return std::any_of(objects.begin(), objects.end(),
                           [](const auto& entry) { return entry.second.first != entry.second.last; });
      },
      60s);
  EXPECT_TRUE(moved) << readFile(world.root() / "messages.txt");
  EXPECT_GE(world.simulatorMessageCount(fmt::format("AICreateNonATCAircraft title='{}'", kInstalledTitle)), 2u);
  for (const auto& [id, object] : objects) EXPECT_EQ(object.title, kInstalledTitle) << id;
  EXPECT_GE(world.simulatorMessageCount("RequestDataOnSimObject request=102 define=405"), 2u);
  EXPECT_EQ(world.closeProgram(), 0);
}

}  // namespace
}  // namespace tfx::test
