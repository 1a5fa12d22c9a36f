// The program against both stand-ins with the user parked at Zurich's stand
// E_67: LSZH becomes the park airport and the simulator stand-in's trace shows
// static aircraft standing still on its stands, never on the user's, a live
// departure made on its stand and pushed back from it, and no two aircraft
// on the ground in each other.
#include <gtest/gtest.h>

#include <fmt/format.h>

#include <cmath>
#include <numbers>
#include <map>
#include <pugixml.hpp>

#include "core/geodesy.h"
#include "eventually.h"
#include "program_world.h"

namespace tfx::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

struct StandPlace {
  std::string id;
  LatLon position;
};

std::vector<StandPlace> standsOf(const fs::path& file) {
  pugi::xml_document document;
  EXPECT_TRUE(document.load_file(file.c_str())) << file;
  std::vector<StandPlace> stands;
  for (const pugi::xpath_node& node : document.select_nodes("//parkpos")) {
    const pugi::xml_node stand = node.node();
    stands.push_back({stand.attribute("id").as_string(),
                      {stand.attribute("latitude").as_double(), stand.attribute("longitude").as_double()}});
  }
  return stands;
}

struct TracedPlaces {
  LatLon first;
  size_t frames = 0;
  bool moved = false;
};

// The stand-in's trace, time;objectId;title;lat;lon;...: where each object was.
std::map<std::string, TracedPlaces> tracedPlaces(const std::string& trace) {
  std::map<std::string, TracedPlaces> objects;
  for (const std::vector<std::string>& fields : simulatorTraceRows(trace)) {
    const LatLon here{std::stod(fields[3]), std::stod(fields[4])};
    TracedPlaces& object = objects[fields[1]];
    if (object.frames++ == 0) object.first = here;
    object.moved = object.moved || here.lat != object.first.lat || here.lon != object.first.lon;
  }
  return objects;
}

// The stand a position lies on (within 1 m), or none.
const StandPlace* standAt(const std::vector<StandPlace>& stands, const LatLon& position) {
  for (const StandPlace& stand : stands) {
    if (gf_distanceNm(stand.position, position) * 1852.0 < 1.0) return &stand;
  }
  return nullptr;
}

constexpr const char* kAegeanTitle = "Aegean A320 Test";

// Whether the simulator showed an object of this title moving tail first: over
// a second or more it went at least 1 m in a direction more than 150 degrees
// off its nose, as an aircraft does while pushed back.
bool movedTailFirst(const std::string& trace, const std::string& title) {
  struct Sample {
    double seconds;
    LatLon position;
  };
  std::map<std::string, Sample> previous;  // object id to its last sample a second or more back
  for (const std::vector<std::string>& fields : simulatorTraceRows(trace)) {
    if (fields[2] != title) continue;
    const Sample here{std::stod(fields[0]), {std::stod(fields[3]), std::stod(fields[4])}};
    const auto [before, first] = previous.try_emplace(fields[1], here);
    if (first || here.seconds - before->second.seconds < 1.0) continue;
    const double metres = gf_distanceNm(before->second.position, here.position) * 1852.0;
    if (metres >= 1.0) {
      const double travelDeg = gf_bearingRad(before->second.position, here.position) * 180.0 / std::numbers::pi;
      const double offNose = std::abs(std::remainder(travelDeg - std::stod(fields[8]), 360.0));
      if (offNose > 150.0) return true;
    }
    before->second = here;
  }
  return false;
}

void installAegeanA320(const ProgramWorld& world) {
  const fs::path aircraft = world.root() / "addons" / "Test_AI" / "SimObjects" / "AI Traffic" / "A320_AEE";
  writeFile(aircraft / "aircraft.cfg", fmt::format("[fltsim.0]\ntitle={}\nsim=A320\nmodel=\ntexture=AEE\n"
                                                   "atc_parking_codes=AEE\natc_parking_types=GATE\n\n"
                                                   "[General]\natc_model=A320\n",
                                                   kAegeanTitle));
  writeFile(aircraft / "A320.air", "air");
  fs::create_directories(aircraft / "model");
  fs::create_directories(aircraft / "texture.AEE");
}

TEST(StaticParkingTest, AtZurichTheSimulatorShowsStaticAircraftStandingOnStands) {
  ProgramWorld world;
  const fs::path standFile = world.install() / "airports" / "my_thirdparty" / "LSZH.xml";
  const fs::path learnedFile = world.install() / "airports" / "learned" / "thirdparty" / "FlightGear" / "LSZH.xml";
  fs::create_directories(standFile.parent_path());
  fs::create_directories(learnedFile.parent_path());
  fs::copy_file(binaryDir() / "stands" / "LSZH.xml", standFile);
  fs::copy_file(sourceDir() / "data" / "feed" / "zurich-stands.xml", learnedFile);
  // An add-on airport scan would take my_thirdparty's files for its own.
  world.storeSetting("SCAN_AIRPORTS", "false");
  world.storeSetting("COLLISION_LIVE_PARKED_GND", "true");
  // The test aircraft have no livery for the timetables' airlines and types:
  // the static aircraft wear the default livery, which the simulator has. The
  // recording's departure AEE5ZH gets its airline's livery, so that it is
  // made as a live aircraft.
  const fs::path titles = world.root() / "titles.txt";
  writeFile(titles, fmt::format("Aeroshadow Default Livery\n{}\n", kAegeanTitle));
  installAegeanA320(world);
  world.startSimulator({"--titles=" + titles.string()});
  world.startProgram();
  // The recording from a little before AEE5ZH's first report on: it stands
  // on its stand and pushes back about two minutes later.
  std::string recording = "# zurich.rec from 295 s on\n";
  for (const auto& [offset, line] : zurichRecordingPart(295000, 1200000, 0))
    recording += fmt::format("{} {}\n", offset, line);
  writeFile(world.root() / "zurich-aee5zh.rec", recording);
  world.startFeed({"--replay", (world.root() / "zurich-aee5zh.rec").string()});
  ASSERT_TRUE(world.logShows("The park airport is LSZH (ZRH)", 90s)) << world.log();
  ASSERT_TRUE(world.logShows("Max fit=", 30s)) << world.log();
  EXPECT_FALSE(world.log().find("no parking positions found") != std::string::npos) << world.log();

  const std::vector<StandPlace> stands = standsOf(standFile);
  ASSERT_EQ(stands.size(), 35u);
  // Static aircraft come one at a time once they settled; three show that the queue is served.
  std::map<std::string, std::string> standOf;  // object id to stand id
  const bool parked = eventually(
      [&] {
        standOf.clear();
        for (const auto& [id, object] : tracedPlaces(readFile(world.root() / "trace.txt"))) {
          if (object.frames < 10 || object.moved) continue;
          if (const StandPlace* stand = standAt(stands, object.first)) standOf[id] = stand->id;
        }
        return standOf.size() >= 3;
      },
      90s);
  EXPECT_TRUE(parked) << world.log();
  std::map<std::string, int> aircraftOn;
  for (const auto& [object, stand] : standOf) {
    EXPECT_NE(stand, "E_67") << "the user's stand is kept free";
    EXPECT_EQ(++aircraftOn[stand], 1) << "two aircraft on " << stand;
  }
  // Standing on the stand made by hand for it when its reports come.
  EXPECT_TRUE(world.logShows("H_AEE5ZH: AEE5ZH   parks", 60s)) << world.log();
  // Its reports leave the stand backwards: the simulator shows it pushed
  // back, not driven off nose first.
  EXPECT_TRUE(eventually([&] { return movedTailFirst(readFile(world.root() / "trace.txt"), kAegeanTitle); }, 180s))
      << world.log();
  EXPECT_EQ(readFile(world.install() / "airports" / "my_park_airports.txt"), "LSZH,E_67\n");
  EXPECT_EQ(world.closeProgram(), 0);
  // No two aircraft stood in each other on the ground, each as large as its
  // title's model (the default livery as an A320).
  ChildProcess overlaps(PYTHON3_PATH,
                        {(sourceDir() / "tools" / "simstandin" / "trace_overlaps.py").string(),
                         (world.root() / "trace.txt").string(), "--tool", TFX_TOOL, "--install",
                         world.install().string(), "--aircraft-folder", (world.root() / "addons").string()},
                        {.standardOutput = world.root() / "overlaps.json", .standardError = world.root() / "overlaps.txt"});
  ASSERT_EQ(overlaps.waitFor(120s).value_or(-1), 0) << readFile(world.root() / "overlaps.txt");
  const std::string counted = readFile(world.root() / "overlaps.json");
  EXPECT_NE(counted.find("\"ground_overlaps\": 0,"), std::string::npos) << counted;
}

}  // namespace
}  // namespace tfx::test
