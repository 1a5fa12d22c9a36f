// tools/simstandin/trace_overlaps.py: the frames of a simulator trace in
// which two aircraft on the ground stand in each other, each as large as the
// model its title is installed with.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "child_process.h"
#include "test_support.h"

namespace tfx {
namespace {

const std::filesystem::path kScript = test::sourceDir() / "tools/simstandin/trace_overlaps.py";

int countOverlaps(const test::TempDir& folder, const std::vector<std::string>& arguments) {
  std::vector<std::string> all{kScript.string()};
  all.insert(all.end(), arguments.begin(), arguments.end());
  test::ChildProcess script(PYTHON3_PATH, all,
                            {.standardOutput = folder / "out.txt", .standardError = folder / "err.txt"});
  return script.waitFor(std::chrono::seconds(60)).value_or(-1);
}

TEST(TraceOverlapsTest, AircraftOnTheGroundCloserThanTheirHalfWingspansOverlap) {
  test::TempDir folder;
  // A 747 (half wingspan 29.8 m) installed with its model; "Small" comes from
  // a titles file and counts as the default A320 (17.9 m).
  test::writeFile(folder / "world" / "B744" / "aircraft.cfg",
                  "[fltsim.0]\ntitle=Big Jet\n[fltsim.1]\ntitle = Big Jet Two \n[General]\natc_model = B744\n");
  // 0.0001 degrees of latitude are 11.1 m.
  test::writeFile(folder / "trace.txt",
                  "time;objectId;title;lat;lon;alt;pitch;bank;heading;onGround\n"
                  // 44.5 m apart: 747 and A320 need 47.7 m.
                  "1.000;101;Big Jet;47.4500000;8.5600000;1416.0;0.00;0.00;90.00;1\n"
                  "1.000;102;Small;47.4504000;8.5600000;1416.0;0.00;0.00;90.00;1\n"
                  // 50 m apart: clear.
                  "2.000;101;Big Jet;47.4500000;8.5600000;1416.0;0.00;0.00;90.00;1\n"
                  "2.000;102;Small;47.4504500;8.5600000;1416.0;0.00;0.00;90.00;1\n"
                  // As close, but one of them in the air.
                  "3.000;101;Big Jet;47.4500000;8.5600000;1416.0;0.00;0.00;90.00;1\n"
                  "3.000;102;Small;47.4501000;8.5600000;1516.0;0.00;0.00;90.00;0\n"
                  // Two 747s 55.6 m apart (they need 59.6 m) and an A320 far off.
                  "4.000;101;Big Jet;47.4500000;8.5600000;1416.0;0.00;0.00;90.00;1\n"
                  "4.000;103;Big Jet Two;47.4505000;8.5600000;1416.0;0.00;0.00;90.00;1\n"
                  "4.000;102;Small;47.4600000;8.5600000;1416.0;0.00;0.00;90.00;1\n");
  const std::vector<std::string> common{"--tool", AEROSHADOW_TOOL_PATH, "--install", test::binaryDir().string(),
                                        "--aircraft-folder", (folder / "world").string()};
  std::vector<std::string> arguments{(folder / "trace.txt").string()};
  arguments.insert(arguments.end(), common.begin(), common.end());
  ASSERT_EQ(countOverlaps(folder, arguments), 0) << test::readFile(folder / "err.txt");
  const auto result = nlohmann::json::parse(test::readFile(folder / "out.txt"));
  EXPECT_EQ(result["frames"], 4);
  EXPECT_EQ(result["ground_overlaps"], 2);
  ASSERT_EQ(result["pairs"].size(), 2u) << result.dump();
  EXPECT_EQ(result["pairs"][0]["a"], "101 Big Jet");
  EXPECT_EQ(result["pairs"][0]["b"], "102 Small");
  EXPECT_EQ(result["pairs"][0]["frames"], 1);
  EXPECT_NEAR(result["pairs"][0]["closest_m"].get<double>(), 44.5, 0.1);
  EXPECT_EQ(result["pairs"][1]["b"], "103 Big Jet Two");
  EXPECT_EQ(result["models"]["Big Jet Two"], "B744");
  EXPECT_EQ(result["models"]["Small"], "A320");

  // An unreadable trace is bad input; a missing option bad usage.
  arguments[0] = (folder / "missing.txt").string();
  EXPECT_EQ(countOverlaps(folder, arguments), 1);
  EXPECT_NE(test::readFile(folder / "err.txt").find("missing.txt"), std::string::npos);
  EXPECT_EQ(countOverlaps(folder, {(folder / "trace.txt").string()}), 2);
}

}  // namespace
}  // namespace tfx
