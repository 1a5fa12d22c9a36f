// The add-on airport scan over a scenery tree on disk, with the download site
// on loopback for links and offline learning.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <filesystem>
#include <set>

#include "aircraft/aircraft_database.h"
#include "airports/airport.h"
#include "airports/park_stands.h"
#include "airports/read_apf.h"
#include "bgl_writer.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/parameters.h"
#include "dbase_fixture.h"
#include "loopback_site.h"
#include "runstate/stop_flags.h"
#include "runstate/user_error.h"
#include "scan/addon_counts.h"
#include "scan/airport_scan.h"
#include "test_support.h"

namespace tfx::scan {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAre;


std::string archivedFile(int stands, std::string_view extraParameters = "") {
  std::string xml = "<?xml version=\"1.0\"?><parameters>" + std::string(extraParameters) + "</parameters><parkpositions>";
  for (int stand = 1; stand <= stands; ++stand) xml += "<parkpos id=\"A" + std::to_string(stand) + "\"/>";
  return xml + "</parkpositions>";
}

class AddonScan : public ::testing::Test {
 protected:
  AddonScan() {
    test::resetProgramState();
    createProgramFolders();
    SIM_INSTALL_PATH.set(sim.string());
    pugi::xml_document dbase;
    dbase.load_string(test::fixtureDbaseXml().c_str());
    aircraftDatabase().load(dbase);
  }
  ~AddonScan() override {
    airports::parkAirport() = {};
    test::resetProgramState();
  }

  fs::path addBgl(const fs::path& file, const test::BglFileSpec& layout) {
    test::writeBytes(file, test::bglFile(layout));
    return file;
  }

  // The LEAB add-on as it ships, a stock area, an inactive area and a
  // damaged file, listed in a UTF-16 scenery.cfg.
  void leabTree() {
    const fs::path shared = test::sharedDataFolder() / "bgl";
    const fs::path leab = sim / "Addon Scenery/LEAB ARV187";
    fs::create_directories(leab / "scenery");
    fs::create_directories(leab / "world/scenery");
    for (const char* name : {"LEAB_ADEP4_ARV187.bgl", "LEAB_ADEP5_ARV187.bgl", "LEAB_ADEP4_ARV187_CVX.bgl"}) {
      fs::copy_file(shared / name, leab / "scenery" / name);
    }
    fs::copy_file(shared / "parking_01_fs9_object.bgl", leab / "scenery/parking 01.bgl");
    fs::copy_file(shared / "LEAB_ADEP5_ARV187_ALT.bgl", leab / "world/scenery/LEAB_ADEP5_ARV187_ALT.bgl");
    test::Bytes damaged = test::bglFile({{test::sampleAirport("LEMD", 40, true)}, 0});
    damaged.resize(damaged.size() - 100);
    test::writeBytes(leab / "scenery/damaged.bgl", damaged);
    addBgl(sim / "Scenery/World/scenery/stock.bgl", {{test::sampleAirport("LEVC", 10, false)}, 0});
    addBgl(sim / "Addon Scenery/Inactive/scenery/inactive.bgl", {{test::sampleAirport("LEVD", 10, false)}, 0});
    addBgl(leab / "scenery/statics/statics.bgl", {{test::sampleAirport("LEVE", 10, false)}, 0});
    test::writeUtf16File(programData / "scenery.cfg",
               "[Area.001]\r\nTitle=Default Terrain\r\nLocal=Scenery\\World\r\nActive=TRUE\r\n\r\n"
               "[Area.002]\r\nTitle=LEAB\r\nLocal=Addon Scenery\\LEAB ARV187\r\nActive=TRUE\r\n\r\n"
               "[Area.003]\r\nTitle=Off\r\nLocal=Addon Scenery\\Inactive\r\nActive=FALSE\r\n");
  }

  test::ScratchHome home;
  test::ScopedCurrentDir inInstall{home.installFolder()};
  fs::path sim = home.root() / "Prepar3D v5";
  fs::path programData = home.root() / "share/Lockheed Martin/Prepar3D v5";
  test::LoopbackSite site;
};

TEST_F(AddonScan, TheLeabAddOnGivesOneStandFileThatReadsBack) {
  leabTree();
  const AddonScanResult result = lf_scanAirports(site.baseUrl());
  ASSERT_TRUE(result.complete) << result.error;
  EXPECT_THAT(result.sceneryPaths, ElementsAre(sim / "Addon Scenery/LEAB ARV187"));
  EXPECT_EQ(result.bglFiles.size(), 6U);
  EXPECT_EQ(result.notScenery.size(), 1U);
  ASSERT_EQ(result.damaged.size(), 1U);
  EXPECT_THAT(result.damaged.front().file, ::testing::EndsWith("damaged.bgl"));
  EXPECT_EQ(result.airports, 3);
  ASSERT_EQ(result.generated.size(), 1U);
  const GeneratedFile& leab = result.generated.front();
  EXPECT_EQ(leab.file, "airports/my_thirdparty/LEAB.xml");
  EXPECT_EQ(leab.positions, 69);
  EXPECT_EQ(leab.helipads, 1);
  EXPECT_EQ(leab.publisher, "unknown");
  EXPECT_THAT(leab.bgl, ::testing::HasSubstr("/scenery/LEAB_ADEP"));

  airports::ParkStands park;
  airports::parkAirport().code = "LEAB";
  ASSERT_EQ(airports::gf_readApf(leab.file, park, std::chrono::system_clock::now(), site.baseUrl()), "");
  ASSERT_EQ(park.parkStands.size(), 69U);
  EXPECT_EQ(park.parkStands.front().id, "helipad1");
  EXPECT_TRUE(park.parkStands.front().heli);
  EXPECT_EQ(park.parkStands.back().id, "r86");
  EXPECT_THAT(park.info.altitude, ::testing::AnyOf(2300, 2301)) << "v4 and v5 tie; the later in scan order wins";
  pugi::xml_document generated;
  ASSERT_TRUE(generated.load_file(leab.file.c_str()));
  EXPECT_EQ(generated.select_node("//parameter[@name='BGLpath']").node().attribute("value").as_string(), leab.bgl);

  EXPECT_FALSE(SCAN_AIRPORTS.value());
  const std::string scanLog = test::readFile(paths::outputInfo / paths::kAirportsScanLog);
  EXPECT_THAT(scanLog, ::testing::HasSubstr("Generated airports/my_thirdparty/LEAB.xml: 69 positions, of which 1 helipad"));
  EXPECT_THAT(scanLog, ::testing::HasSubstr("Exception in lf_processBGLfile: "));
}

TEST_F(AddonScan, TheStatusAreaCountsTheFilesTheScanLeft) {
  leabTree();
  showAddonScanRunning();
  EXPECT_EQ(thirdpartyCountText(), "# thirdp: ...");
  EXPECT_EQ(orbxCountText(), "") << "not known while the scan runs";
  ASSERT_TRUE(lf_scanAirports(site.baseUrl()).complete);
  fs::create_directories(paths::myThirdparty / "old");
  test::writeFile(paths::myOrbx / "LSZH.txt", "archive/simaddon/LSZH.xml\n");
  countAddonAirportFiles();
  EXPECT_EQ(thirdpartyCountText(), "# thirdp: 1") << "LEAB.xml; a folder is no file";
  EXPECT_EQ(orbxCountText(), "1 airport in my_ORBX folder");
  EXPECT_EQ(countFolderFiles(home.root() / "missing"), 0);
}

TEST_F(AddonScan, ArchivedAirportsAreLinkedAndLearnedOnesGoToTblo) {
  fs::create_directories(programData);
  const fs::path addons = home.root() / "Addons";
  addBgl(addons / "FlyTampa_EHAM/scenery/EHAM.bgl", {{test::sampleAirport("EHAM", 30, true)}, 1000});
  addBgl(addons / "FlyTampa_KBOS/scenery/KBOS.bgl", {{test::sampleAirport("KBOS", 12, false)}, 0});
  addBgl(addons / "ORBX/LOWI/scenery/LOWI.bgl", {{test::sampleAirport("LOWI", 8, true)}, 0});
  addBgl(addons / "ORBX/EGXX/scenery/EGXX.bgl", {{test::sampleAirport("EGXX", 3, true)}, 0});
  test::writeFile(programData / "scenery_add-ons.xml",
                  "<AddOns>\r\n<Path>" + addons.string() + "</Path>\r\n<Path>" + addons.string() + "/ORBX</Path>\r\n</AddOns>\r\n");
  site.publish("P3D/archive/thirdparty/FlyTampa/EHAM.xml", archivedFile(10));
  site.publish("P3D/archive/simaddon/LOWI.xml", archivedFile(20));
  site.publish("P3D/archive/stock/EGXX.xml",
               archivedFile(2, R"(<parameter name="Qf_real" value="40"/><parameter name="RT_traffic_week" value="30"/>)"));
  site.publish("P3D/archive/stock/EHAM.xml",
               archivedFile(2, R"(<parameter name="Qf_real" value="-1"/><parameter name="Qf_soft" value="-1"/>)"));
  LogCapture log;
  const AddonScanResult result = scanAddonAirports(site.baseUrl());
  ASSERT_TRUE(result.complete) << result.error;
  EXPECT_EQ(result.bglFiles.size(), 4U) << "the ORBX folder named twice is read once";
  std::vector<std::string> generated;
  for (const GeneratedFile& file : result.generated) generated.push_back(file.file + " " + file.publisher);
  EXPECT_THAT(generated, ElementsAre("airports/my_ORBX/EGXX.xml simaddon", "airports/my_thirdparty/EHAM.xml FlyTampa",
                                     "airports/my_thirdparty/KBOS.xml FlyTampa"));
  ASSERT_EQ(result.linked.size(), 3U);
  EXPECT_EQ(result.linked[0].target, "archive/thirdparty/FlyTampa/EHAM.xml");
  EXPECT_EQ(test::readFile("airports/my_ORBX/LOWI.txt"), "archive/simaddon/LOWI.xml\n");
  EXPECT_FALSE(fs::exists("airports/my_ORBX/LOWI.xml"));
  EXPECT_TRUE(log.contains("===> EHAM has 30 parkpos while archived one has 10"));
  EXPECT_TRUE(log.contains("simaddon airport LOWI linked to archive/simaddon/LOWI.xml"));
  EXPECT_TRUE(log.contains("EGXX does not exist as simaddon"));
  EXPECT_TRUE(log.contains("Failed to download archive/thirdparty/FlyTampa/KBOS.xml, its stands count as 0"));
  EXPECT_THAT(result.tblo, ElementsAre("EGXX.xml"));
  EXPECT_TRUE(fs::exists(paths::tblo / "EGXX.xml"));
  EXPECT_TRUE(log.contains("airports/my_thirdparty/EHAM.xml not suitable for offline learning"));
  EXPECT_TRUE(SCAN_AIRPORTS.value()) << "the scan itself leaves the setting alone";
}

TEST_F(AddonScan, OneIdentInSeveralFilesTakesTheMostPositions) {
  AFG_AUTOMATIC.set(false);
  const fs::path addons = home.root() / "Addons";
  afolder[0].set(addons.string());
  addBgl(addons / "a/EDDM_small.bgl", {{test::sampleAirport("EDDM", 5, false)}, 0});
  addBgl(addons / "b/EDDM_big.bgl", {{test::sampleAirport("EDDM", 50, true)}, 0});
  addBgl(addons / "c/EDDM_none.bgl", {{test::sampleAirport("EDDM", 0, true)}, 0});
  const AddonScanResult result = scanAddonAirports(site.baseUrl());
  ASSERT_EQ(result.generated.size(), 1U);
  EXPECT_EQ(result.generated.front().positions, 50);
  EXPECT_THAT(result.generated.front().bgl, ::testing::EndsWith("EDDM_big.bgl"));
}

TEST_F(AddonScan, OnATieInPositionsTheLaterFileInScanOrderWins) {
  AFG_AUTOMATIC.set(false);
  const fs::path addons = home.root() / "Addons";
  afolder[0].set((addons / "first").string());
  afolder[1].set((addons / "second").string());
  afolder[2].set((addons / "third").string());
  addBgl(addons / "first/EDDM_first.bgl", {{test::sampleAirport("EDDM", 8, false)}, 0});
  addBgl(addons / "second/EDDM_second.bgl", {{test::sampleAirport("EDDM", 8, true)}, 0});
  addBgl(addons / "third/EDDM_third.bgl", {{test::sampleAirport("EDDM", 7, true)}, 0});
  const AddonScanResult result = scanAddonAirports(site.baseUrl());
  ASSERT_EQ(result.generated.size(), 1U);
  EXPECT_THAT(result.generated.front().bgl, ::testing::EndsWith("EDDM_second.bgl"));
  EXPECT_THAT(test::readFile("airports/my_thirdparty/EDDM.xml"), ::testing::HasSubstr("EDDM_second.bgl"));
}

TEST_F(AddonScan, AStoppedScanKeepsTheLastCompleteFiles) {
  AFG_AUTOMATIC.set(false);
  const fs::path addons = home.root() / "Addons";
  afolder[0].set(addons.string());
  addBgl(addons / "EDDM.bgl", {{test::sampleAirport("EDDM", 5, false)}, 0});
  test::writeFile("airports/my_thirdparty/EGLL.xml", "earlier scan");
  requestProgramClose();
  const AddonScanResult result = lf_scanAirports(site.baseUrl());
  EXPECT_FALSE(result.complete);
  EXPECT_EQ(test::readFile("airports/my_thirdparty/EGLL.xml"), "earlier scan");
  EXPECT_FALSE(fs::exists("airports/my_thirdparty/EDDM.xml"));
  EXPECT_FALSE(fs::exists("airports/my_thirdparty.scanning"));
  EXPECT_TRUE(SCAN_AIRPORTS.value());
  clearStopFlags();
  ASSERT_TRUE(lf_scanAirports(site.baseUrl()).complete);
  EXPECT_FALSE(fs::exists("airports/my_thirdparty/EGLL.xml"));
  EXPECT_TRUE(fs::exists("airports/my_thirdparty/EDDM.xml"));
}

TEST_F(AddonScan, ARescanGivesTheSameBytesTakesChangesAndReadsALinkedFileOnce) {
  AFG_AUTOMATIC.set(false);
  const fs::path addons = home.root() / "Addons";
  afolder[0].set(addons.string());
  afolder[1].set((addons / "a").string());
  addBgl(addons / "a/EDDM.bgl", {{test::sampleAirport("EDDM", 5, false)}, 0});
  addBgl(addons / "b/EGLL.bgl", {{test::sampleAirport("EGLL", 7, true)}, 0});
  fs::create_directories(addons / "c");
  fs::create_symlink(addons / "a/EDDM.bgl", addons / "c/EDDM_link.bgl");
  const AddonScanResult first = scanAddonAirports(site.baseUrl());
  ASSERT_TRUE(first.complete) << first.error;
  EXPECT_EQ(first.bglFiles.size(), 2U) << "a folder named twice and a linked file are read once";
  const std::string eddm = test::readFile("airports/my_thirdparty/EDDM.xml");
  const std::string egll = test::readFile("airports/my_thirdparty/EGLL.xml");

  test::writeFile("airports/my_thirdparty/EGLL.xml", "edited by hand");
  addBgl(addons / "a/EDDM.bgl", {{test::sampleAirport("EDDM", 6, false)}, 0});
  ASSERT_TRUE(scanAddonAirports(site.baseUrl()).complete);
  EXPECT_EQ(test::readFile("airports/my_thirdparty/EGLL.xml"), egll);
  const std::string changed = test::readFile("airports/my_thirdparty/EDDM.xml");
  EXPECT_NE(changed, eddm);
  EXPECT_NE(changed.find("<parameter name=\"num_parkpos\" value=\"6\" />"), std::string::npos);

  ASSERT_TRUE(scanAddonAirports(site.baseUrl()).complete);
  EXPECT_EQ(test::readFile("airports/my_thirdparty/EDDM.xml"), changed);
  EXPECT_EQ(fs::hard_link_count("airports/my_thirdparty/EDDM.xml"), 1U) << "no file is shared with an old scan's";
}

TEST_F(AddonScan, NoAddOnFolderSetIsErrorFortyNine) {
  AFG_AUTOMATIC.set(false);
  EXPECT_THROW(scanAddonAirports(site.baseUrl()), UserErrorException);
}

}  // namespace
}  // namespace tfx::scan
