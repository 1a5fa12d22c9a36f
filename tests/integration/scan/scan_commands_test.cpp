// aeroshadow-tool bgl, addon-scan and flightplan run as a user runs them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "bgl_writer.h"
#include "child_process.h"
#include "test_support.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;

class ScanCommandsTest : public ::testing::Test {
 protected:
  int tool(std::vector<std::string> arguments) {
    test::ChildProcess child(AEROSHADOW_TOOL_PATH, arguments,
                             {.standardOutput = root_ / "out.json",
                              .standardError = root_ / "err.txt",
                              .workingDirectory = root_.path(),
                              .environment = {{"XDG_CONFIG_HOME", (root_ / "config").string()},
                                              {"XDG_DATA_HOME", (root_ / "share").string()}}});
    return child.waitFor(std::chrono::seconds(60)).value_or(-1);
  }
  std::vector<nlohmann::json> lines() const {
    std::vector<nlohmann::json> all;
    std::istringstream text(test::readFile(root_ / "out.json"));
    for (std::string line; std::getline(text, line);) all.push_back(nlohmann::json::parse(line));
    return all;
  }
  std::string errors() const { return test::readFile(root_ / "err.txt"); }
  std::string shared(std::string_view name) const { return (test::sharedDataFolder() / "bgl" / name).string(); }

  test::TempDir root_;
};

TEST_F(ScanCommandsTest, BglListsEveryAirportRecordWithItsStands) {
  ASSERT_EQ(tool({"bgl", shared("LEAB_ADEP4_ARV187.bgl"), shared("LEAB_ADEP5_ARV187.bgl"),
                  shared("LEAB_ADEP5_ARV187_ALT.bgl"), shared("LEAB_ADEP4_ARV187_CVX.bgl")}),
            0)
      << errors();
  const std::vector<nlohmann::json> airports = lines();
  ASSERT_EQ(airports.size(), 3U);
  for (size_t file = 0; file < 2; ++file) {
    const nlohmann::json& leab = airports[file];
    EXPECT_EQ(leab["ident"], "LEAB");
    EXPECT_EQ(leab["record"], file == 0 ? 60 : 171);
    ASSERT_EQ(leab["stands"].size(), 71U);
    EXPECT_EQ(leab["stands"].back()["airlines"], nlohmann::json({"AGA", "CL2T", "AL43"}));
    EXPECT_EQ(leab["stands"].back()["id"], "r86");
    EXPECT_EQ(leab["stands"][6]["skip"], "type");
    EXPECT_TRUE(leab["stands"][6]["id"].is_null());
    EXPECT_EQ(leab["helipads"][0]["id"], "helipad1");
  }
  EXPECT_EQ(airports[2]["stands"].size(), 0U);
  EXPECT_EQ(airports[1]["altitudeFt"], 2301);
}

TEST_F(ScanCommandsTest, BglNamesFilesItCannotUseAndGoesOn) {
  const fs::path damaged = root_ / "damaged.bgl";
  test::Bytes bytes = test::bglFile({{test::sampleAirport("LEMD", 10, true)}, 0});
  bytes.resize(bytes.size() - 50);
  test::writeBytes(damaged, bytes);
  EXPECT_EQ(tool({"bgl", shared("parking_01_fs9_object.bgl"), damaged.string(), (root_ / "none.bgl").string(),
                  shared("LEAB_ADEP5_ARV187.bgl")}),
            1);
  EXPECT_EQ(lines().size(), 1U);
  EXPECT_THAT(errors(), ::testing::HasSubstr("parking_01_fs9_object.bgl: no scenery BGL"));
  EXPECT_THAT(errors(), ::testing::HasSubstr("damaged.bgl: airport record"));
  EXPECT_THAT(errors(), ::testing::HasSubstr("none.bgl: "));
  EXPECT_EQ(tool({"bgl"}), 2);
}

TEST_F(ScanCommandsTest, AddonScanWritesIntoTheInstallFolder) {
  const fs::path install = root_ / "install";
  const fs::path addon = root_ / "sim/Addon Scenery/LEAB";
  fs::create_directories(install);
  fs::create_directories(addon);
  fs::copy_file(shared("LEAB_ADEP5_ARV187.bgl"), addon / "LEAB_ADEP5_ARV187.bgl");
  ASSERT_EQ(tool({"addon-scan", "--sim-root", (root_ / "sim").string(), "--install", install.string(), "--afolder",
                  "Addon Scenery\\LEAB", "--site", "http://127.0.0.1:9/downloads/"}),
            0)
      << errors();
  const nlohmann::json result = lines().front();
  EXPECT_EQ(result["bglFiles"].size(), 1U);
  EXPECT_EQ(result["airports"], 1);
  ASSERT_EQ(result["generated"].size(), 1U);
  EXPECT_EQ(result["generated"][0]["file"], "airports/my_thirdparty/LEAB.xml");
  EXPECT_EQ(result["generated"][0]["positions"], 69);
  EXPECT_TRUE(fs::exists(install / "airports/my_thirdparty/LEAB.xml"));
  EXPECT_THAT(errors(), ::testing::HasSubstr("Airports scan successful"));
  EXPECT_FALSE(fs::exists(root_ / "config/Aeroshadow_P3D/parameters.xml")) << "settings stay in memory";

  EXPECT_EQ(tool({"addon-scan", "--install", install.string()}), 2);
  EXPECT_EQ(tool({"addon-scan", "--sim-root", (root_ / "sim").string(), "--install", install.string(),
                  "--program-data", (root_ / "share").string()}),
            0)
      << errors();
  EXPECT_THAT(errors(), ::testing::HasSubstr("scenery.cfg not found!"));
}

TEST_F(ScanCommandsTest, FlightplanWritesAndRemoves) {
  ASSERT_EQ(tool({"flightplan", "write", "4840131", "4", "EHAM", "EGLL"}), 0) << errors();
  const nlohmann::json written = lines().front();
  const fs::path plan = root_ / "config/Aeroshadow_P3D/orig_dest/4840131.pln";
  EXPECT_EQ(written["path"], plan.string());
  EXPECT_EQ(written["rules"], "VFR");
  EXPECT_THAT(test::readFile(plan), ::testing::HasSubstr("<DestinationID>EGLL</DestinationID>"));
  ASSERT_EQ(tool({"flightplan", "remove"}), 0);
  EXPECT_EQ(lines().front(), nlohmann::json({{"existed", true}, {"removed", true}}));
  EXPECT_FALSE(fs::exists(plan.parent_path()));
  EXPECT_EQ(tool({"flightplan", "write", "x", "4", "EHAM", "EGLL"}), 2);
}

}  // namespace
}  // namespace tfx
