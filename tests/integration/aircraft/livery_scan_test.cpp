// The livery scan on generated worlds finds exactly what each world's
// manifest says its liveries were built to be.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "aircraft/aircraft_database.h"
#include "aircraft/liveries_file.h"
#include "aircraft/livery_catalogue.h"
#include "aircraft/livery_scan.h"
#include "core/folders.h"
#include "core/log.h"
#include "runstate/user_error.h"
#include "world_fixture.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

LiveryScanRequest automaticRequest(const test::GeneratedWorld& world) {
  LiveryScanRequest request;
  request.sources = AddonFolderSources{world.manifest["appData"].get<std::string>(),
                                       world.manifest["programData"].get<std::string>(),
                                       world.manifest["simRoot"].get<std::string>(), "5"};
  return request;
}

LiveryScanRequest manualRequest(const test::GeneratedWorld& world, bool prioritize) {
  LiveryScanRequest request;
  request.automatic = false;
  request.prioritize = prioritize;
  for (const auto& folder : world.manifest["folders"]) request.manualFolders.emplace_back(folder.get<std::string>());
  return request;
}

std::map<std::string, LiveryData> expectedLiveries(const nlohmann::json& manifest) {
  std::map<std::string, LiveryData> liveries;
  for (const auto& livery : manifest["liveries"]) {
    liveries[livery["title"]] = LiveryData{livery["airline"], livery["type"], livery["title"], livery["atcId"],
                                           livery["folder"], livery["cargo"]};
  }
  return liveries;
}

// Saved liveries carry no folder number; the scan's own list does.
std::map<std::string, LiveryData> byTitle(const LiveryList& liveries, bool withFolders) {
  std::map<std::string, LiveryData> result;
  for (LiveryData livery : liveries) {
    if (!withFolders) livery.folderIndex = 0;
    EXPECT_TRUE(result.emplace(livery.title, livery).second) << "twice: " << livery.title;
  }
  return result;
}

class LiveryScanOnWorlds : public ::testing::TestWithParam<uint32_t> {};

TEST_P(LiveryScanOnWorlds, AutomaticScanFindsWhatTheManifestSays) {
  const test::GeneratedWorld world(GetParam());
  test::ScopedCurrentDir inside(world.install());
  ScanReports reports;
  const LiveryScanResult result = lf_scanLiveries(automaticRequest(world), aircraftDatabase(), reports);

  EXPECT_EQ(result.files, world.manifest["files"].get<size_t>());
  ASSERT_EQ(result.folders.size(), world.manifest["folders"].size());
  for (size_t index = 0; index < result.folders.size(); ++index) {
    EXPECT_EQ(result.folders[index].path, world.manifest["folders"][index].get<std::string>());
  }
  EXPECT_EQ(byTitle(result.liveries, true), expectedLiveries(world.manifest));
  std::map<std::string, LiveryData> saved = byTitle(readScannedLiveries(paths::liveriesScanned), false);
  std::map<std::string, LiveryData> expected = expectedLiveries(world.manifest);
  for (auto& [title, livery] : expected) livery.folderIndex = 0;
  EXPECT_EQ(saved, expected);

  for (const auto& title : world.manifest["unscanned"]) EXPECT_FALSE(saved.contains(title.get<std::string>())) << title;
  for (const auto& entry : world.manifest["reported"]) {
    const std::string title = entry["title"];
    // A repeated title is reported for its second section while the first stays.
    EXPECT_FALSE(!title.empty() && saved.contains(title) && !expected.contains(title)) << title;
    const std::string report = entry["report"];
    const fs::path file = (report.starts_with("AircraftCfg") ? paths::outputInfo : paths::outputErrors) / report;
    const std::string lines = test::readFile(file);
    const std::string named = entry["file"];
    EXPECT_TRUE(lines.find(named) != std::string::npos || lines.find(fs::path(named).parent_path().string()) !=
                                                               std::string::npos)
        << report << " does not name " << named;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, LiveryScanOnWorlds, ::testing::Values(1u, 2u, 3u, 4u));

TEST(LiveryScanModes, ManualScanOfTheSameFoldersFindsTheSameAndPrioritizeKeepsTheLowestFolder) {
  const test::GeneratedWorld world(11, 90, 300, 0.1);
  test::ScopedCurrentDir inside(world.install());
  ScanReports reports;
  const LiveryScanResult manual = lf_scanLiveries(manualRequest(world, false), aircraftDatabase(), reports);
  EXPECT_EQ(byTitle(manual.liveries, true), expectedLiveries(world.manifest));

  std::map<std::pair<std::string, std::string>, int32_t> lowest;
  for (const auto& [title, livery] : expectedLiveries(world.manifest)) {
    auto [entry, added] = lowest.try_emplace({livery.airline, livery.type}, livery.folderIndex);
    entry->second = std::min(entry->second, livery.folderIndex);
  }
  std::map<std::string, LiveryData> kept;
  for (const auto& [title, livery] : expectedLiveries(world.manifest)) {
    if (livery.folderIndex == lowest.at({livery.airline, livery.type})) kept.emplace(title, livery);
  }
  const LiveryScanResult prioritized = lf_scanLiveries(manualRequest(world, true), aircraftDatabase(), reports);
  EXPECT_LT(kept.size(), expectedLiveries(world.manifest).size()) << "the world should repeat airline and type";
  EXPECT_EQ(byTitle(prioritized.liveries, true), kept);
}

TEST(LiveryScanModes, SetUpBuildsTheCatalogueFromTheSavedScan) {
  const test::GeneratedWorld world(5);
  test::ScopedCurrentDir inside(world.install());
  ScanReports reports;
  lf_scanLiveries(automaticRequest(world), aircraftDatabase(), reports);
  LiveryCatalogue catalogue(aircraftDatabase());
  LogCapture log;
  lf_processScannedLiveries(catalogue, paths::liveriesScanned);
  EXPECT_EQ(catalogue.tables.liveryCount(), world.manifest["liveries"].size());
  size_t painted = 0;
  for (const auto& livery : world.manifest["liveries"]) {
    const std::string registration = livery["atcId"];
    if (registration.empty()) continue;
    ++painted;
    EXPECT_EQ(catalogue.tables.specialLivery(registration), livery["title"].get<std::string>());
  }
  EXPECT_GE(catalogue.tables.specialLiveries().size(), painted);
  EXPECT_TRUE(log.contains(" registration codes"));
  lf_processScannedLiveries(catalogue, paths::liveriesScanned);
  EXPECT_TRUE(log.contains("Processing scanned liveries skipped; already done in previous start-up"));
}

TEST(LiveryScanModes, RealThirdPartyFilesGiveReportLinesAndNoLivery) {
  test::TempDir install;
  test::ScopedCurrentDir inside(install.path());
  const fs::path folder = install / "liveries";
  for (const char* name : {"FlyByWire_A320_NEO", "FlyByWire_A380_842"}) {
    fs::create_directories(folder / name);
    fs::copy_file(test::sharedDataFolder() / "aircraft-cfg" / (std::string(name) + ".aircraft.cfg"),
                  folder / name / "aircraft.cfg");
  }
  LiveryScanRequest request;
  request.automatic = false;
  request.manualFolders = {folder, install / "missing", install / "liveries" / "FlyByWire_A320_NEO" / "aircraft.cfg"};
  ScanReports reports;
  LogCapture log;
  try {
    lf_scanLiveries(request, aircraftDatabase(), reports);
    FAIL() << "no livery should be found";
  } catch (const UserErrorException& error) {
    EXPECT_EQ(error.code(), 53);
  }
  EXPECT_FALSE(reports.lines(ScanReport::InvalidAircraftCodes).empty());
  EXPECT_TRUE(log.contains(" does not exist, skipped!"));
  EXPECT_TRUE(log.contains(" is not a folder name, skipped!"));
  EXPECT_THAT(test::readFile(paths::outputErrors / paths::kInvalidAircraftCodes), HasSubstr("FlyByWire_A380_842"));
}

TEST(LiveryScanModes, StopsWhenThereIsNothingToScan) {
  test::TempDir install;
  test::ScopedCurrentDir inside(install.path());
  ScanReports reports;
  LiveryScanRequest manual;
  manual.automatic = false;
  try {
    lf_scanLiveries(manual, aircraftDatabase(), reports);
    FAIL();
  } catch (const UserErrorException& error) {
    EXPECT_EQ(error.code(), 48);
  }
  LiveryScanRequest automatic;
  automatic.sources = {install / "appdata", install / "programdata", install / "sim", "5"};
  try {
    lf_scanLiveries(automatic, aircraftDatabase(), reports);
    FAIL();
  } catch (const UserErrorException& error) {
    EXPECT_EQ(error.code(), 43);
  }
}

TEST(LiveryScanModes, DamagedSavedListsStopWithTheirCodes) {
  test::TempDir folder;
  EXPECT_THROW(
      try { readScannedLiveries(folder / "none.xml"); } catch (const UserErrorException& error) {
        EXPECT_EQ(error.code(), 51);
        throw;
      },
      UserErrorException);
  test::writeFile(folder / "bad.xml", "<liveries><liv airl=\"KLM\" title=\"x\"/></liveries>");
  try {
    readScannedLiveries(folder / "bad.xml");
    FAIL();
  } catch (const UserErrorException& error) {
    EXPECT_EQ(error.code(), 999);
    EXPECT_STREQ(error.what(), "999: Missing required attribute 'type' in <liv>");
  }
  test::writeFile(folder / "truncated.xml", "<liveries><liv airl=\"KLM\" type=\"B738\" ti");
  EXPECT_THROW(readScannedLiveries(folder / "truncated.xml"), UserErrorException);
}

}  // namespace
}  // namespace tfx
