// aeroshadow-tool airport, stands and stands-learn in an install folder of
// their own, with the generated airport database.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "child_process.h"
#include "stand_file_fixture.h"
#include "test_support.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;

class StandCommandsTest : public ::testing::Test {
 protected:
  StandCommandsTest() {
    fs::create_directories(install_ / "input");
    fs::copy_file(test::binaryDir() / "input" / "airports_p3d.xml", install_ / "input" / "airports_p3d.xml");
    test::writeFile(install_ / "airports" / "my_thirdparty" / "LSZH.xml",
                    test::standFileXml(test::parameterXml("airport_name", "Zurich") + test::parameterXml("publisher", "Tester") +
                                           test::parameterXml("altitude", "1417"),
                                       R"(<parkpos id="A1" latitude="47.451" longitude="8.55" heading="-10" radius="20">)"
                                       R"(<opt cs="SWR1:x" airl="SWR" type="A320" day="3" hh="2,3"/></parkpos>)"
                                       R"(<parkpos id="A2" latitude="47.4511" longitude="8.5501" radius="20"/>)"));
  }

  // Runs the tool; returns its exit code and keeps its output.
  int tool(std::vector<std::string> arguments) {
    test::ChildProcess child(AEROSHADOW_TOOL_PATH, arguments,
                             {.standardOutput = root_ / "out.json",
                              .standardError = root_ / "err.txt",
                              .workingDirectory = root_.path(),
                              .environment = {{"XDG_CONFIG_HOME", (root_ / "config").string()}}});
    return child.waitFor(std::chrono::seconds(60)).value_or(-1);
  }
  nlohmann::json output() const { return nlohmann::json::parse(test::readFile(root_ / "out.json")); }
  std::string errors() const { return test::readFile(root_ / "err.txt"); }

  test::TempDir root_;
  fs::path install_ = root_ / "install";
  std::string site_ = "http://127.0.0.1:9/downloads/";
};

TEST_F(StandCommandsTest, AirportCodesAndPositions) {
  ASSERT_EQ(tool({"airport", "--install", install_.string(), "EHAM"}), 0) << errors();
  nlohmann::json eham = output();
  EXPECT_EQ(eham["known"], true);
  EXPECT_EQ(eham["displayName"], "EHAM (AMS)");
  EXPECT_EQ(eham["alt"], -11.0);
  EXPECT_EQ(eham["airports"], 28291);
  EXPECT_EQ(eham["log"][0], "28291 airports read from 'input/airports_p3d.xml'");
  ASSERT_EQ(tool({"airport", "--install", install_.string(), "eham"}), 0);
  EXPECT_EQ(output()["known"], false);
  EXPECT_TRUE(output()["lat"].is_null());
  ASSERT_EQ(tool({"airport", "--install", install_.string(), "--site", site_, "--near", "47.4511,8.5501"}), 0);
  EXPECT_EQ(output()["closest"]["code"], "LSZH");
  ASSERT_EQ(tool({"airport", "--install", install_.string(), "--near", "0,-160"}), 0);
  EXPECT_TRUE(output()["closest"].is_null());
  EXPECT_TRUE(output()["distanceNm"].is_null());
}

TEST_F(StandCommandsTest, BadDatabaseAndBadUsage) {
  test::writeFile(root_ / "broken.xml", "<airports>");
  EXPECT_EQ(tool({"airport", "--db", (root_ / "broken.xml").string(), "EHAM"}), 1);
  EXPECT_NE(errors().find("88: "), std::string::npos) << errors();
  EXPECT_EQ(tool({"airport", "--install", install_.string()}), 2);
  EXPECT_EQ(tool({"airport", "--install", install_.string(), "--near", "north", }), 2);
  EXPECT_EQ(tool({"stands", "LSZH", "--install", install_.string(), "--at", "yesterday"}), 2);
  EXPECT_EQ(tool({"stands", "LSZH", "--install", install_.string(), "--set", "NO_SUCH=1"}), 2);
}

TEST_F(StandCommandsTest, StandsWithTheirUseNow) {
  ASSERT_EQ(tool({"stands", "LSZH", "--install", install_.string(), "--at", "2025-02-05T01:29:30Z"}), 0) << errors();
  const nlohmann::json stands = output();
  EXPECT_EQ(stands["file"], "airports/my_thirdparty/LSZH.xml");
  EXPECT_EQ(stands["learnedFile"], "airports/learned/thirdparty/Tester/LSZH.xml");
  EXPECT_EQ(stands["learnedFileRead"], false);
  EXPECT_EQ(stands["standCount"], 2);
  EXPECT_EQ(stands["day"], 3);
  EXPECT_EQ(stands["halfHour"], 3);
  EXPECT_EQ(stands["parkingPercentage"], 30);
  const nlohmann::json& a1 = stands["stands"][0];
  EXPECT_DOUBLE_EQ(a1["headingDeg"].get<double>(), 350.0);
  EXPECT_EQ(a1["overlaps"], nlohmann::json::array({"A2"}));
  EXPECT_EQ(a1["options"][0]["callsignNote"], "x");
  EXPECT_EQ(a1["useReal"]["3"], nlohmann::json::array({2, 3}));
  EXPECT_EQ(a1["now"], nlohmann::json::array({1}));
  EXPECT_EQ(tool({"stands", "EDDF", "--install", install_.string(), "--site", site_}), 1);
  EXPECT_NE(errors().find("lf_readParkedFile EDDF not found"), std::string::npos) << errors();
}

TEST_F(StandCommandsTest, LearnedObservationsAreSavedAndReadBack) {
  test::writeFile(root_ / "seen.jsonl",
                  R"({"utc":"2025-02-05T01:29:30Z","stand":"A2","objectId":5,"registration":"HB-JXA","callsign":"SWR2","airline":"SWR","type":"A20N","continuous":true})"
                  "\n"
                  R"({"utc":1738720800,"stand":"A2","objectId":5,"registration":"HB-JXA","callsign":"SWR2","airline":"SWR","type":"A20N","continuous":true})"
                  "\n");
  ASSERT_EQ(tool({"stands-learn", "LSZH", "--install", install_.string(), "--observations", (root_ / "seen.jsonl").string()}), 0)
      << errors();
  EXPECT_EQ(output()["updates"], 2);
  EXPECT_EQ(output()["saved"], true);
  ASSERT_EQ(tool({"stands", "LSZH", "--install", install_.string()}), 0);
  const nlohmann::json stands = output();
  EXPECT_EQ(stands["learnedFileRead"], true);
  const nlohmann::json& learned = stands["stands"][1]["options"][0];
  EXPECT_EQ(learned["registration"], "HB-JXA");
  EXPECT_EQ(learned["halfHours"], nlohmann::json::array({3, 4}));
  EXPECT_EQ(learned["origin"], 0);

  const std::string before = test::readFile(install_ / "airports/learned/thirdparty/Tester/LSZH.xml");
  ASSERT_NE(before.find("HB-JXA"), std::string::npos);
  test::writeFile(root_ / "bad.jsonl", R"({"utc":"2025-02-05T03:00:00Z","stand":"A1","objectId":6,"callsign":"X"})"
                                       "\n"
                                       R"({"utc":"2025-02-05T03:00:00Z","stand":"Z9","objectId":6,"callsign":"X"})"
                                       "\n");
  EXPECT_EQ(tool({"stands-learn", "LSZH", "--install", install_.string(), "--observations", (root_ / "bad.jsonl").string()}), 1);
  EXPECT_NE(errors().find("line 2: unknown stand 'Z9'"), std::string::npos) << errors();
  test::writeFile(root_ / "bad.jsonl", "{\"utc\":\n");
  EXPECT_EQ(tool({"stands-learn", "LSZH", "--install", install_.string(), "--observations", (root_ / "bad.jsonl").string()}), 1);
  EXPECT_NE(errors().find("line 1: "), std::string::npos);
  EXPECT_EQ(test::readFile(install_ / "airports/learned/thirdparty/Tester/LSZH.xml"), before);
}

}  // namespace
}  // namespace tfx
