// The program against both stand-ins replaying 80 s of the Zurich recording
// (three departures): its aircraft become AI objects with a livery the
// simulator has and move; a livery the simulator lacks is refused and the
// user is told.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "eventually.h"
#include "program_world.h"

namespace tfx::test {
namespace {

using namespace std::chrono_literals;

// Added to the test AI package for the Swiss A320 departures.
constexpr const char* kInstalledTitle = "Swiss A320 Test";
// Installed as an AI livery (its registration's own), unknown to the simulator.
constexpr const char* kMissingTitle = "KLM Boeing 737-800 PH-BXA";

// Recorded seconds 600 to 680 of Zurich from 10 s on, so that the readers are
// up, and a KLM 737 with the registration of the missing livery.
std::string zurichDepartures() {
  std::multimap<long, std::string> lines = zurichRecordingPart(600000, 680000, 10000);
  for (int step = 0; step < 12; ++step) {
    lines.emplace(10000 + step * 5000,
                  fmt::format("49005 RTTFC,4852001,{:.4f},8.5600,6000,-640,0,90.0,250,KLM1234,B738,PH-BXA,EHAM,LSZH,0,X,"
                              "KL1234,adsb_icao,6100,240,262,0.42,0,-1,90,90.0,-640,none,A3",
                              47.45 + 0.01 * step));
  }
  std::string recording = "# 80 s of zurich.rec and a KLM 737\n";
  for (const auto& [offset, line] : lines) recording += fmt::format("{} {}\n", offset, line);
  return recording;
}

void installSwissA320(const ProgramWorld& world) {
  const std::filesystem::path aircraft = world.root() / "addons" / "Test_AI" / "SimObjects" / "AI Traffic" / "A320";
  writeFile(aircraft / "aircraft.cfg", fmt::format("[fltsim.0]\ntitle={}\nsim=A320\nmodel=\ntexture=SWR\n"
                                                   "atc_parking_codes=SWR\natc_parking_types=GATE\n\n"
                                                   "[General]\natc_model=A320\n",
                                                   kInstalledTitle));
  writeFile(aircraft / "A320.air", "air");
  std::filesystem::create_directories(aircraft / "model");
  std::filesystem::create_directories(aircraft / "texture.SWR");
}

struct TracedObject {
  std::string title;
  std::string first;  // "lat;lon" of its first and last frame
  std::string last;
};

// The stand-in's trace: time;objectId;title;lat;lon;...
std::map<std::string, TracedObject> tracedObjects(const std::string& trace) {
  std::map<std::string, TracedObject> objects;
  for (const std::vector<std::string>& fields : simulatorTraceRows(trace)) {
    TracedObject& object = objects[fields[1]];
    object.title = fields[2];
    object.last = fields[3] + ";" + fields[4];
    if (object.first.empty()) object.first = object.last;
  }
  return objects;
}

TEST(ObjectsTest, ZurichDeparturesAppearWithTheirLiveryAndMoveAndAMissingLiveryIsRefused) {
  ProgramWorld world;
  TempDir folder;
  installSwissA320(world);
  writeFile(folder / "zurich-departures.rec", zurichDepartures());
  writeFile(folder / "titles.txt", fmt::format("{}\nSwiss Boeing 737-800\n", kInstalledTitle));
  world.storeSetting("LOG", "true");
  world.startSimulator({"--titles=" + (folder / "titles.txt").string()});
  world.startProgram();
  world.startFeed({"--replay", (folder / "zurich-departures.rec").string()});
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
  EXPECT_TRUE(moved) << world.log();
  const std::string swissCreate = fmt::format("AICreateNonATCAircraft title='{}' tail='SWR5220'", kInstalledTitle);
  EXPECT_TRUE(eventually([&] { return world.simulatorMessageCount(swissCreate) == 1; }, 60s)) << world.log();
  for (const auto& [id, object] : objects) EXPECT_NE(object.title, kMissingTitle) << id;
  EXPECT_GE(world.simulatorMessageCount("RequestDataOnSimObject request=102 define=405"), objects.size());
  EXPECT_EQ(world.closeProgram(), 0);
}

}  // namespace
}  // namespace tfx::test
