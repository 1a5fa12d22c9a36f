#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <map>

#include "core/folders.h"
#include "core/log.h"
#include "core/meta_block.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "core/random.h"
#include "core/simulator_detection.h"
#include "core/version_update.h"
#include "fake_registry.h"
#include "platform/registry.h"
#include "runstate/user_error.h"
#include "test_support.h"

namespace tfx {
namespace {

class ParametersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::resetProgramState();
    std::filesystem::create_directories(dataFolder());
  }
  void TearDown() override {
    setControlView(nullptr);
    platform::setRegistry(nullptr);
    test::resetProgramState();
  }

  void writeParameters(const std::map<std::string, std::string>& values) {
    pugi::xml_document document;
    auto root = document.append_child("parameters");
    for (const auto& [name, value] : values) {
      auto element = root.append_child("parameter");
      element.append_attribute("name") = name.c_str();
      element.append_attribute("value") = value.c_str();
    }
    ASSERT_TRUE(document.save_file(parametersFile().c_str()));
  }

  // The value stored in the file, or nullopt when the key is absent.
  static std::optional<std::string> stored(const std::string& name) {
    pugi::xml_document document;
    document.load_file(parametersFile().c_str());
    auto node = document.select_node(("/parameters/parameter[@name='" + name + "']").c_str()).node();
    if (!node) return std::nullopt;
    return std::string(node.attribute("value").as_string());
  }

  test::ScratchHome home_;
};

TEST_F(ParametersTest, FirstStartWritesEveryStoredKeyWithItsDefault) {
  LogCapture log;
  readParameters();
  checkVersionUpdate();
  EXPECT_TRUE(log.contains(" not found, default values taken:"));
  EXPECT_EQ(stored("PROGRAM_VERSION"), "11.0.2");
  EXPECT_EQ(stored("RANDOM"), "true");
  EXPECT_EQ(stored("AEROWINX"), "false");
  EXPECT_EQ(stored("LAST_EPOCH_TIME:"), "0");
  EXPECT_EQ(stored("RANGE"), "40");
  EXPECT_EQ(stored("PORT_NUMBER"), "10747");
  EXPECT_EQ(stored("BLOCK_CALLSIGN"), "");
  EXPECT_EQ(stored("WEB_WINDOW_PORT"), "10750");
  EXPECT_EQ(stored("WEB_WINDOW_LAN"), "false");
  EXPECT_EQ(stored("WEB_WINDOW_OPEN"), "true");
  for (const char* absent : {"lfolder0", "afolder9", "parking_percentage", "MAX_FIT_FL", "ALL_INSTALL_PATH"}) {
    EXPECT_FALSE(stored(absent)) << absent;
  }
  pugi::xml_document document;
  document.load_file(parametersFile().c_str());
  EXPECT_EQ(document.select_nodes("/parameters/parameter").size(), 3u + 24u + 14u + 8u + 7u + 1u);
  // The banner frames the section.
  EXPECT_TRUE(log.contains("********************************** parameters **********************************"));
}

TEST_F(ParametersTest, StoredValuesAreReadByTheirKindsRules) {
  writeParameters({{"PROGRAM_VERSION", "11.0.2"},
                   {"RANGE", "7"},
                   {"MAX_FIT", "500"},
                   {"AEROWINX", "yes"},
                   {"LOG", "on"},
                   {"WEEK", "1"},
                   {"MAIN_WINDOW_X", "99999999999"},
                   {"MAIN_WINDOW_Y", "-12abc"},
                   {"P3D_VERSION", "x"},
                   {"DESTINATION", "LSZH"}});
  LogCapture log;
  readParameters();
  EXPECT_EQ(RANGE.value(), 7);
  EXPECT_DOUBLE_EQ(trafficRadius().nm.load(), 7.0);
  EXPECT_DOUBLE_EQ(trafficRadius().meters.load(), 7.0 * 1852);
  EXPECT_EQ(MAX_FIT.value(), 47);
  EXPECT_TRUE(AEROWINX.value());
  EXPECT_FALSE(LOG.value());
  EXPECT_TRUE(WEEK.value());
  EXPECT_EQ(MAIN_WINDOW_X.value(), 30000);
  EXPECT_EQ(MAIN_WINDOW_Y.value(), -12);
  EXPECT_EQ(P3D_VERSION.value(), 5);
  EXPECT_EQ(DESTINATION.value(), "LSZH");
  EXPECT_TRUE(log.contains("RANGE=7"));
  EXPECT_TRUE(log.contains("AEROWINX=true"));
  // Missing keys were added with their defaults; the file holds the clamped value.
  EXPECT_EQ(stored("SCAN_AIRPORTS"), "true");

  writeParameters({{"PROGRAM_VERSION", "11.0.2"}, {"RANGE", "500"}});
  LogCapture again;
  readParameters();
  EXPECT_EQ(RANGE.value(), 100);
  EXPECT_TRUE(again.contains("RANGE=100"));
}

TEST_F(ParametersTest, EmptyFolderKeysLeaveTheFile) {
  writeParameters({{"PROGRAM_VERSION", "11.0.2"}, {"lfolder3", ""}, {"lfolder2", "/liveries"}, {"afolder0", ""}});
  LogCapture log;
  readParameters();
  EXPECT_FALSE(stored("lfolder3"));
  EXPECT_FALSE(stored("afolder0"));
  EXPECT_EQ(stored("lfolder2"), "/liveries");
  EXPECT_FALSE(stored("lfolder4"));
  EXPECT_EQ(lfolder[2].value(), "/liveries");
  EXPECT_TRUE(log.contains("Parameter 'lfolder3' removed"));
}

TEST_F(ParametersTest, UpdateFromAnOlderVersionConvertsLegacySettings) {
  writeParameters({{"PROGRAM_VERSION", "10.4.0"},
                   {"MAX_LIVE", "60"},
                   {"SCAN_LIVERIES", "false"},
                   {"SCAN_AIRPORTS", "false"},
                   {"LATERAL_RANGE", "44"},
                   {"AIRPORT_RANGE", "17"}});
  readParameters();
  LogCapture log;
  checkVersionUpdate();
  EXPECT_TRUE(log.contains("This is a version update from 10.4.0 -> 11.0.2"));
  EXPECT_EQ(MAX_LIVE_SEL.value(), 50);
  EXPECT_EQ(stored("MAX_LIVE_SEL"), "50");
  EXPECT_FALSE(stored("MAX_LIVE"));
  EXPECT_EQ(RANGE.value(), 40);
  EXPECT_EQ(AIRP_RANGE.value(), 15);
  EXPECT_EQ(MAX_PARK_SEL.value(), 500);
  EXPECT_EQ(AR_ABOVE_HEIGHT.value(), 48000);
  EXPECT_EQ(AIRP_HEIGHT.value(), 18000);
  EXPECT_EQ(stored("SCAN_LIVERIES"), "true");
  EXPECT_EQ(stored("SCAN_AIRPORTS"), "true");
  EXPECT_EQ(stored("PROGRAM_VERSION"), "11.0.2");
}

TEST_F(ParametersTest, NewerOrEqualStoredVersionConvertsNothing) {
  writeParameters({{"PROGRAM_VERSION", "12.0.0"}, {"MAX_LIVE", "60"}, {"SCAN_LIVERIES", "false"}});
  readParameters();
  LogCapture log;
  checkVersionUpdate();
  EXPECT_FALSE(log.contains("version update"));
  EXPECT_EQ(stored("PROGRAM_VERSION"), "11.0.2");
  EXPECT_EQ(stored("MAX_LIVE"), "60");
  EXPECT_EQ(stored("SCAN_LIVERIES"), "false");
  EXPECT_EQ(MAX_LIVE_SEL.value(), 500);
}

TEST(VersionUpdateRules, ConversionTablesAtTheirEdges) {
  EXPECT_EQ(maxParkFromCustom(-1), 500);
  EXPECT_EQ(maxParkFromCustom(24), 10);
  EXPECT_EQ(maxParkFromCustom(25), 25);
  EXPECT_EQ(maxParkFromCustom(49), 25);
  EXPECT_EQ(maxParkFromCustom(500), 50);
  EXPECT_EQ(maxLiveFromLegacy(-1), 500);
  EXPECT_EQ(maxLiveFromLegacy(0), 10);
  EXPECT_EQ(maxLiveFromLegacy(74), 50);
  EXPECT_EQ(maxLiveFromLegacy(99), 75);
  EXPECT_EQ(maxLiveFromLegacy(100), 100);
  const std::map<int, int> range = {{2, 2},   {3, 3},   {6, 6},   {7, 8},   {8, 8},   {9, 10},  {10, 10},
                                    {11, 12}, {13, 14}, {15, 16}, {17, 18}, {19, 20}, {22, 20}, {23, 25},
                                    {28, 30}, {33, 35}, {37, 35}, {38, 40}, {45, 50}, {57, 65}, {73, 80},
                                    {89, 80}, {90, 100}, {100, 100}, {250, 100}};
  for (const auto& [nm, expected] : range) EXPECT_EQ(nearestRangeValue(nm), expected) << nm;
  EXPECT_EQ(airportRangeFromLegacy(8), 10);
  EXPECT_EQ(airportRangeFromLegacy(7), 5);
  EXPECT_EQ(airportRangeFromLegacy(27), 30);
  EXPECT_EQ(nearestHeightValue(49000), 48000);
  EXPECT_EQ(nearestHeightValue(46999), 36000);
  EXPECT_EQ(nearestHeightValue(27000), 36000);
  EXPECT_EQ(nearestHeightValue(16999), 16000);
  EXPECT_EQ(nearestHeightValue(2999), 2000);
}

TEST_F(ParametersTest, SingleSettingsAreSavedAndRemoved) {
  readParameters();
  RANGE.set(25);
  saveParameter(RANGE);
  EXPECT_EQ(stored("RANGE"), "25");
  lfolder[5].set("/more/liveries");
  saveParameter(lfolder[5]);
  EXPECT_EQ(stored("lfolder5"), "/more/liveries");
  LogCapture log;
  removeParameter(lfolder[5]);
  EXPECT_FALSE(stored("lfolder5"));
  EXPECT_TRUE(log.contains("Parameter 'lfolder5' removed"));
}

class RecordingControls : public ControlView {
 public:
  void showCheck(ControlId id, bool checked) override { checks[id] = checked; }
  void showListValue(ControlId id, int32_t value) override { lists[id] = value; }
  void showEditText(ControlId id, std::string_view text) override { edits[id] = std::string(text); }
  std::map<ControlId, bool> checks;
  std::map<ControlId, int32_t> lists;
  std::map<ControlId, std::string> edits;
};

TEST_F(ParametersTest, WindowBoundSettingsShowTheirValues) {
  writeParameters({{"PROGRAM_VERSION", "11.0.2"}, {"ALWAYS_ON_TOP", "true"}, {"RANGE", "65"}, {"BLOCK_CALLSIGN", "SWR8"}});
  RecordingControls controls;
  setControlView(&controls);
  readParameters();
  EXPECT_EQ(controls.checks.at(32771), true);
  EXPECT_EQ(controls.lists.at(32818), 65);
  EXPECT_EQ(controls.edits.at(32853), "47");
  EXPECT_EQ(controls.edits.at(32828), "SWR8");
}

TEST_F(ParametersTest, RandomChoicesFollowTheSwitch) {
  RANDOM.set(false);
  EXPECT_EQ(randomIndex(10), 0);
  std::vector<int> kept{1, 2, 3, 4};
  shuffleIfRandom(kept);
  EXPECT_EQ(kept, (std::vector<int>{1, 2, 3, 4}));
  RANDOM.set(true);
  EXPECT_EQ(randomIndex(1), 0);
  seedRandomEngine(7);
  std::vector<int> first;
  for (int i = 0; i < 20; ++i) first.push_back(randomIndex(5));
  seedRandomEngine(7);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(randomIndex(5), first[static_cast<size_t>(i)]);
  for (int value : first) EXPECT_LT(value, 5);
}

TEST(MetaBlock, WrittenAndReadBack) {
  pugi::xml_document document;
  writeMetaBlock(document);
  EXPECT_EQ(readMetaInfo(document, "version"), "11.0.2");
  EXPECT_EQ(readMetaInfo(document, "P3D"), "v5/v6");
  EXPECT_FALSE(readMetaInfo(document, "MSFS"));
  EXPECT_FALSE(readMetaInfo(document, "x' or '1'='1"));
  EXPECT_EQ(document.first_child().name(), std::string("meta"));
}

TEST_F(ParametersTest, SimulatorDetection) {
  auto registry = std::make_unique<test::FakeRegistry>();
  registry->addKey("SOFTWARE\\Lockheed Martin\\Prepar3D v5");
  registry->addKey("SOFTWARE\\Lockheed Martin\\Prepar3D v6");
  platform::setRegistry(std::move(registry));
  try {
    detectSimulator();
    FAIL() << "two simulators must be refused";
  } catch (const UserErrorException& error) {
    EXPECT_EQ(error.message(),
              "More than one P3D version detected, type full Install Path to wanted version above and press Enter");
  }

  platform::setRegistry(nullptr);
  ALL_INSTALL_PATH.set("stale");
  EXPECT_THROW(detectSimulator(), UserErrorException);
  EXPECT_TRUE(ALL_INSTALL_PATH.empty());
  lfolder[0].set("/liveries");
  LogCapture log;
  EXPECT_NO_THROW(detectSimulator());
  EXPECT_TRUE(log.contains("P3D not detected?"));
  lfolder[0].set("");

  auto v6 = std::make_unique<test::FakeRegistry>();
  v6->setString("SOFTWARE\\Lockheed Martin\\Prepar3D v6", "SetupPath", "C:/Sims/P3D");
  platform::setRegistry(std::move(v6));
  detectSimulator();
  EXPECT_TRUE(log.contains("P3Dv6detected"));
  EXPECT_EQ(SIM_INSTALL_PATH.value(), "C:/Sims/P3D");
  EXPECT_EQ(ALL_INSTALL_PATH.value(), "C:/Sims/P3D");
  EXPECT_EQ(stored("SIM_INSTALL_PATH"), "C:/Sims/P3D");

  auto withoutPath = std::make_unique<test::FakeRegistry>();
  withoutPath->addKey("SOFTWARE\\Lockheed Martin\\Prepar3D v5");
  platform::setRegistry(std::move(withoutPath));
  EXPECT_THROW(detectSimulator(), UserErrorException);
}

TEST_F(ParametersTest, SimulatorVersionFromPathOrSetting) {
  SIM_INSTALL_PATH.set("D:/Prepar3D V6");
  EXPECT_EQ(simMajorVersion(), "6");
  SIM_INSTALL_PATH.set("D:/Prepar3D v5 Academic");
  EXPECT_EQ(simMajorVersion(), "5");
  SIM_INSTALL_PATH.set("D:/Sim");
  EXPECT_EQ(simMajorVersion(), "5");
  P3D_VERSION.set(6);
  EXPECT_EQ(simMajorVersion(), "6");
}

TEST_F(ParametersTest, FoldersAndTheStartCheck) {
  test::ScopedCurrentDir here(home_.installFolder());
  EXPECT_THROW(checkStartFolder(), UserErrorException);
  std::filesystem::create_directory("docs");
  EXPECT_NO_THROW(checkStartFolder());
  test::writeFile("input/AIG-regcodes0.xml", "old");
  createProgramFolders();
  for (const auto* folder : {&paths::outputInfo, &paths::outputErrors, &paths::learnedThirdparty, &paths::myOrbx,
                             &paths::myRegcodes}) {
    EXPECT_TRUE(std::filesystem::is_directory(*folder)) << folder->string();
  }
  EXPECT_FALSE(std::filesystem::exists("input/AIG-regcodes0.xml"));

  LogCapture log;
  detectRealTraffic();
  EXPECT_FALSE(realTrafficPresent());
  EXPECT_TRUE(log.contains("RealTraffic not detected at this PC"));
  test::writeFile(home_.configFolder() / "InsideSystems" / "RealTraffic.jar", "");
  detectRealTraffic();
  EXPECT_TRUE(realTrafficPresent());
  EXPECT_TRUE(log.contains("RealTraffic detected at this PC"));
}

}  // namespace
}  // namespace tfx
