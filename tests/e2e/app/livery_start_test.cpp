// The program's livery start-up: the first start scans, later starts read
// the saved list, a lost list and empty or missing folders are told.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "child_process.h"
#include "program_world.h"

namespace tfx::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr std::string_view kScanStarts = "liveries scan automatic starts";

// The next start's log, not the last one's, is what the checks read.
void restart(ProgramWorld& world) {
  fs::remove(world.install() / "Log.txt");
  world.startProgram();
}

TEST(LiveryStartTest, FirstStartScansLaterStartsReadTheSavedList) {
  ProgramWorld world;
  world.startProgram();
  ASSERT_TRUE(world.logShows("2 liveries read from output/LiveriesScanned.xml")) << world.log();
  EXPECT_NE(world.log().find(kScanStarts), std::string::npos);
  EXPECT_TRUE(world.logShows("Category Large: 2 pax liveries"));
  world.closeProgram();
  EXPECT_EQ(world.storedSetting("SCAN_LIVERIES"), "false");
  EXPECT_EQ(world.storedSetting("LIGHT_AIRCRAFT"), "false");
  EXPECT_TRUE(fs::exists(world.install() / "output" / "LiveriesScanned.xml"));

  restart(world);
  ASSERT_TRUE(world.logShows("2 liveries read from output/LiveriesScanned.xml")) << world.log();
  EXPECT_EQ(world.log().find(kScanStarts), std::string::npos);
  world.closeProgram();
  EXPECT_TRUE(world.logShows("live traffic livery matching summary"));

  fs::remove(world.install() / "output" / "LiveriesScanned.xml");
  restart(world);
  EXPECT_TRUE(world.logShows("File output/LiveriesScanned.xml is gone, rescan liveries")) << world.log();
  EXPECT_TRUE(world.logShows(kScanStarts));
  EXPECT_TRUE(world.logShows("2 liveries read from output/LiveriesScanned.xml"));
  world.closeProgram();
}

TEST(LiveryStartTest, ManualModeWithoutFoldersAndAnEmptyAutomaticScanAreShown) {
  ProgramWorld world;
  world.storeSetting("LIG_AUTOMATIC", "false");
  world.startProgram();
  EXPECT_TRUE(world.logShows(
      "Error 48: Set lfolder parameter(-s) to your liveries first, see Manual 5.1 (or check Liveries automatic)"))
      << world.log();
  EXPECT_NE(world.closeProgram(), 0);

  world.storeSetting("LIG_AUTOMATIC", "true");
  fs::remove(world.appData() / "Lockheed Martin" / "Prepar3D v5" / "add-ons.cfg");
  restart(world);
  EXPECT_TRUE(world.logShows("Error 43: Automatic scan has not found any liveries")) << world.log();
  EXPECT_NE(world.closeProgram(), 0);
  EXPECT_EQ(world.storedSetting("SCAN_LIVERIES"), "true");
}

TEST(LiveryStartTest, AGeneratedWorldIsScannedAndItsTitlesAreInstalledInTheSimulator) {
  ProgramWorld world;
  const fs::path generated = world.root() / "world";
  ChildProcess simworld(TFX_SIMWORLD, {"--out", generated.string(), "--cfg-files", "30", "--liveries", "90",
                                       "--seed", "9"});
  ASSERT_EQ(simworld.waitFor(60s), 0);
  const auto manifest = nlohmann::json::parse(readFile(generated / "manifest.json"));
  fs::copy(generated / "appdata", world.appData(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  fs::copy(generated / "programdata", world.programData(), fs::copy_options::recursive);

  world.startSimulator({"--aircraft-folder=" + generated.string()});
  world.startProgram();
  const std::string count = std::to_string(manifest["liveries"].size());
  ASSERT_TRUE(world.logShows(count + " liveries read from output/LiveriesScanned.xml", 60s)) << world.log();
  EXPECT_EQ(world.closeProgram(), 0);
  EXPECT_TRUE(world.logShows("live traffic livery matching summary"));
}

}  // namespace
}  // namespace tfx::test
