#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "child_process.h"
#include "realtraffic/traffic_fields.h"
#include "test_support.h"
#include "traffic_datagram.h"

namespace tfx {
namespace {

namespace f = traffic_fields;
using test::TrafficDatagram;

std::vector<nlohmann::json> linesOf(const std::string& text) {
  std::vector<nlohmann::json> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(nlohmann::json::parse(line));
  return lines;
}

TEST(FeedDecodeTest, PrintsTheDecisionAndTheLogOfEveryLine) {
  test::TempDir folder;
  test::writeFile(folder / "in.txt",
                  TrafficDatagram().text() + "\r\n" +                                                   //
                      TrafficDatagram().set(f::kAltitude, "1420").set(f::kGroundSpeed, "12").text() + "\n" +  //
                      TrafficDatagram().set(f::kHexid, "x1").text() + "\n" +                         //
                      TrafficDatagram().set(f::kCallsign, "FAR").set(f::kLat, "48.5").text() + "\n");
  test::ChildProcess tool(AEROSHADOW_TOOL_PATH,
                              {"feed-decode", "--ref", "47.4647,8.5492", "--range", "50", "--park",
                               "47.4647,8.5492,1416", "--collect"},
                              {.standardInput = folder / "in.txt", .standardOutput = folder / "out.txt"});
  ASSERT_EQ(tool.waitFor(std::chrono::seconds(20)), 0);
  const auto lines = linesOf(test::readFile(folder / "out.txt"));
  ASSERT_EQ(lines.size(), 5u);

  EXPECT_EQ(lines[0]["line"], 1);
  EXPECT_EQ(lines[0]["queued"], true);
  const auto& report = lines[0]["report"];
  EXPECT_EQ(report["hexid"], 4921364);
  EXPECT_EQ(report["lat"], 47.5);
  EXPECT_EQ(report["altitude"], 12000.0);
  EXPECT_EQ(report["airborne"], true);
  EXPECT_EQ(report["hasTrueHeading"], true);
  EXPECT_EQ(report["hasRoll"], true);
  EXPECT_FALSE(report.contains("category"));
  EXPECT_EQ(report["callsign"], "SWR123");
  EXPECT_EQ(report["registration"], "HB-JLT");
  EXPECT_EQ(report["stamp"], 3000);
  EXPECT_EQ(report["timestamp"], 1700000000.5);
  EXPECT_EQ(report.size(), 20u);
  EXPECT_EQ(lines[0]["log"], nlohmann::json::array());

  // A slow aircraft just above the park airport's elevation stands on it.
  EXPECT_EQ(lines[1]["report"]["altitude"], 0.0);
  EXPECT_EQ(lines[1]["report"]["airborne"], false);

  EXPECT_EQ(lines[2], nlohmann::json::parse(
                          R"({"line":3,"queued":false,"log":["exception in processLineSub: hexid incorrectx1"]})"));
  EXPECT_EQ(lines[3]["queued"], false);
  EXPECT_EQ(lines[4]["seenCallsigns"], nlohmann::json::parse(R"(["SWR123"])"));
}

TEST(FeedDecodeTest, RejectsUnknownOptions) {
  test::TempDir folder;
  test::ChildProcess tool(AEROSHADOW_TOOL_PATH, {"feed-decode", "--radius", "5"},
                              {.standardError = folder / "err.txt"});
  EXPECT_EQ(tool.waitFor(std::chrono::seconds(20)), 1);
  EXPECT_NE(test::readFile(folder / "err.txt").find("unknown option --radius"), std::string::npos);
}

}  // namespace
}  // namespace tfx
