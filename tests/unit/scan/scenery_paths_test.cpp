#include "scan/scenery_paths.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/parameters.h"
#include "runstate/user_error.h"
#include "test_support.h"

namespace tfx::scan {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

class SceneryPaths : public ::testing::Test {
 protected:
  SceneryPaths() {
    test::resetProgramState();
    SIM_INSTALL_PATH.set(sim.string());
    for (const char* folder : {"Scenery/World", "Addon Scenery/LEAB area", "Addon Scenery/Off"}) {
      fs::create_directories(sim / folder);
    }
    fs::create_directories(outside);
  }
  ~SceneryPaths() override { test::resetProgramState(); }

  test::TempDir root;
  fs::path sim = root / "P3D v5";
  fs::path outside = root / "Addons/EHAM";
  ScanLog log{false};
};

TEST_F(SceneryPaths, StockFoldersAreKnownByTheirNames) {
  EXPECT_TRUE(isStockScenery("/sim/Scenery/World/scenery"));
  EXPECT_TRUE(isStockScenery("/sim/Scenery/0607/scenery"));
  EXPECT_TRUE(isStockScenery("/sim/Scenery/1107"));
  EXPECT_FALSE(isStockScenery("/sim/Addon Scenery/LEAB"));
  EXPECT_FALSE(isStockScenery("/sim/Scenery/0608"));
}

TEST_F(SceneryPaths, FoldersAreRelativeToTheSimulatorUnlessAbsoluteOrOnADrive) {
  EXPECT_EQ(sceneryFolder("  Addon Scenery\\LEAB area "), sim / "Addon Scenery/LEAB area");
  EXPECT_EQ(sceneryFolder(outside.string()), outside);
  EXPECT_EQ(sceneryFolder("D:\\Addons\\EHAM"), fs::path("D:/Addons/EHAM"));
}

TEST_F(SceneryPaths, SceneryCfgGivesActiveExistingAddOnAreasOnce) {
  const fs::path cfg = root / "scenery.cfg";
  test::writeUtf16File(cfg,
             "[General]\r\nTitle=FS World\r\n\r\n"
             "[Area.001]\r\nTitle=Default Terrain\r\nLocal=Scenery\\World\r\nActive=TRUE\r\nRequired=TRUE\r\n\r\n"
             "[Area.002]\r\nTitle=LEAB area scenery\r\nLocal=Addon Scenery\\LEAB area\r\nLayer=2\r\nActive=True\r\n\r\n"
             "[Area.003]\r\nLocal=Addon Scenery\\Off\r\nActive=FALSE\r\n\r\n"
             "[Area.004]\r\nLocal=" + outside.string() + "\r\nActive=true\r\n\r\n"
             "[Area.005]\r\nLocal=Addon Scenery\\Missing\r\nActive=true\r\n\r\n"
             "[Area.006]\r\nActive=true\r\nLocal=  \r\n\r\n"
             "[Area.007]\r\nLocal=Addon Scenery\\LEAB area\r\nActive=true\r\n");
  std::vector<fs::path> paths;
  readSceneryCfg(cfg, paths, log);
  EXPECT_THAT(paths, ElementsAre(sim / "Addon Scenery/LEAB area", outside));
  EXPECT_THAT(log.lines(), ::testing::Contains("2 scenery add-on paths found\n"));
}

TEST_F(SceneryPaths, AddOnsXmlGivesEveryPath) {
  const fs::path xml = root / "scenery_add-ons.xml";
  test::writeFile(xml, "<AddOns>\r\n<Path>" + outside.string() + "</Path>\r\n<Path></Path>\r\n<Path>Addon Scenery\\Off</Path>\r\n</AddOns>\r\n");
  std::vector<fs::path> paths{outside};
  readSceneryAddOns(xml, paths, log);
  EXPECT_THAT(paths, ElementsAre(outside, sim / "Addon Scenery/Off"));
}

TEST_F(SceneryPaths, MissingFilesAreLoggedAndGiveNothing) {
  std::vector<fs::path> paths;
  readSceneryCfg(root / "none.cfg", paths, log);
  readSceneryAddOns(root / "none.xml", paths, log);
  EXPECT_TRUE(paths.empty());
  EXPECT_THAT(log.lines(), ::testing::Contains((root / "none.cfg").string() + " not found!"));
}

TEST_F(SceneryPaths, AfolderSettingsWithoutStockOnesOrAnErrorWhenNoneRemains) {
  AFG_AUTOMATIC.set(false);
  afolder[0].set("Scenery\\World");
  EXPECT_THROW(
      {
        try {
          collectSceneryPaths(log);
        } catch (const UserErrorException& error) {
          EXPECT_EQ(error.code(), 49);
          throw;
        }
      },
      UserErrorException);
  EXPECT_THAT(log.lines(), ::testing::Contains("parameter afolder0 points to stock airports instead of add-on airports!"));
  afolder[3].set(outside.string());
  EXPECT_THAT(collectSceneryPaths(log), ElementsAre(outside));
}

}  // namespace
}  // namespace tfx::scan
