// The motion of live aircraft in the traffic lab, measured with
// aeroshadow-tool fidelity: a made-up final and climb-out at Zurich, and the
// flights of the Zurich recording.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "child_process.h"
#include "core/geodesy.h"
#include "test_support.h"

namespace tfx {
namespace {

using Json = nlohmann::json;

constexpr double kFieldFt = 1416.0;
constexpr double kFeetPerKnotSecond = 6076.11549 / 3600.0;
// Runway 28 of Zurich: its end, its heading and the far end (data/feed/lszh-runways.csv).
const LatLon kThreshold28{47.4566, 8.570447};
constexpr double kHeading28 = 276.01;
const std::string kRunway28 = "47.4566,8.570447,47.458942,8.537475";

int runTool(const test::TempDir& folder, const std::string& name, const std::vector<std::string>& arguments) {
  test::ChildProcess tool(AEROSHADOW_TOOL_PATH, arguments,
                          {.standardOutput = folder / (name + ".json"), .standardError = folder / (name + ".err")});
  return tool.waitFor(std::chrono::seconds(300)).value_or(-1);
}

// One traffic datagram of the recording format, the feed's on-ground flag set on the ground.
std::string reportLine(double seconds, uint32_t hexid, const char* callsign, double alongFt, double altitude,
                       double verticalSpeed, double knots) {
  const bool behind = alongFt < 0.0;
  const LatLon at = gf_destinationPoint(kThreshold28, (behind ? kHeading28 + 180.0 : kHeading28) * kDegToRad,
                                        std::fabs(alongFt));
  const bool onGround = altitude <= 0.0;
  return fmt::format(
      "{} 49005 RTTFC,{},{:.7f},{:.7f},{:.0f},{:.0f},{},{:.1f},{:.1f},{},A320,null,null,null,{:.2f},replay,null,"
      "adsb_icao,-1,-1,-1,-1,-1,-1,-1,-1,-1,none,A3\n",
      static_cast<int64_t>(seconds * 1000), hexid, at.lat, at.lon, altitude, verticalSpeed, onGround ? 1 : 0,
      kHeading28, knots, callsign, 1600000000.0 + seconds);
}

// A 3 degree final at 150 knots from 5 nm out to 400 m past the threshold, then the rollout.
std::string finalAndRollout() {
  std::string recording;
  const double step = 150.0 * kFeetPerKnotSecond;
  double along = -5.0 * 6076.11549;
  int second = 0;
  for (; along < 1312.0; ++second, along += step) {
    const double height = along < 0.0 ? 50.0 - along * std::tan(3.0 * kDegToRad) : 50.0 * (1.0 - along / 1312.0);
    recording += reportLine(second, 4500001, "TST101", along, kFieldFt + height, -800, 150);
  }
  for (double knots = 147.0; knots >= 20.0; knots -= 3.0, ++second) {
    along += knots * kFeetPerKnotSecond;
    recording += reportLine(second, 4500001, "TST101", along, 0.0, 0, knots);
  }
  return recording;
}

// 20 s of taxi on the runway, a roll gaining 4 knots a second, lift-off at 150 knots, 2000 ft a minute.
std::string rollAndClimbOut() {
  std::string recording;
  double along = -656.0;
  double knots = 8.0;
  double altitude = 0.0;
  for (int second = 0; second < 140; ++second) {
    if (second >= 20) knots = std::min(170.0, knots + 4.0);
    along += knots * kFeetPerKnotSecond;
    if (knots >= 150.0) altitude = altitude == 0.0 ? kFieldFt + 2000.0 / 60.0 : altitude + 2000.0 / 60.0;
    recording += reportLine(second, 4500002, "TST202", along, altitude, altitude > 0.0 ? 2000 : 0, knots);
  }
  return recording;
}

std::vector<std::string> labArguments(const test::TempDir& folder, const std::filesystem::path& recording,
                                      const std::string& out) {
  return {"lab",          "--recording", recording.string(), "--user", "47.4647,8.5492,1416,0", "--park",
          "47.4647,8.5492,1416", "--install", test::binaryDir().string(), "--out", (folder / out).string()};
}

Json fidelity(const test::TempDir& folder, const std::filesystem::path& recording, const std::string& out,
              uint32_t hexid, const std::string& runway = "") {
  std::vector<std::string> arguments{"fidelity", "--recording", recording.string(), "--frames",
                                     (folder / out / "frames.csv").string(), "--hexid", std::to_string(hexid),
                                     "--ground-elevation", "1416"};
  if (!runway.empty()) arguments.insert(arguments.end(), {"--runway", runway});
  const std::string name = fmt::format("fidelity-{}", hexid);
  EXPECT_EQ(runTool(folder, name, arguments), 0) << test::readFile(folder / (name + ".err"));
  return Json::parse(test::readFile(folder / (name + ".json")));
}

std::vector<std::string> eventsOf(const test::TempDir& folder, const std::string& out, uint32_t hexid) {
  std::vector<std::string> whats;
  std::istringstream events(test::readFile(folder / out / "events.jsonl"));
  for (std::string line; std::getline(events, line);) {
    const Json event = Json::parse(line);
    if (event["hexid"] != hexid) continue;
    std::string what = event["what"];
    if (what == "flare") what += std::to_string(event["details"]["stage"].get<int>());
    if (what == "phase") what += "-" + event["details"]["to"].get<std::string>();
    whats.push_back(what);
  }
  return whats;
}

bool contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

void expectAirborneTargets(const Json& figures, const std::string& flight) {
  EXPECT_LE(figures["lateral_max_m"].get<double>(), 50.0) << flight << figures;
  EXPECT_LE(figures["lateral_p95_m"].get<double>(), 50.0) << flight << figures;
  EXPECT_LE(figures["jump_ratio_air"].get<double>(), 1.5) << flight << figures;
  EXPECT_EQ(figures["frames_below_ground_air"], 0) << flight << figures;
}

// The lab on a made-up flight: its events are all there and it keeps the
// airborne targets and its altitudes; its figures for more checks.
Json flyMadeUpFlight(const test::TempDir& folder, const std::string& recording, uint32_t hexid,
                     const std::vector<std::string>& expectedEvents, const std::string& runway = "") {
  test::writeFile(folder / "flight.rec", recording);
  EXPECT_EQ(runTool(folder, "lab", labArguments(folder, folder / "flight.rec", "out")), 0)
      << test::readFile(folder / "lab.err");
  const auto events = eventsOf(folder, "out", hexid);
  for (const std::string& what : expectedEvents) EXPECT_TRUE(contains(events, what)) << what;
  const Json figures = fidelity(folder, folder / "flight.rec", "out", hexid, runway);
  expectAirborneTargets(figures, std::to_string(hexid));
  EXPECT_GT(figures["frames_air"].get<int>(), 1000);
  EXPECT_LE(figures["vertical_max_ft"].get<double>(), 300.0) << figures;
  return figures;
}

TEST(LabMotion, AFinalIsFlownOnItsTrackFlaredAndTouchedDownInTheRunwaysFirstThird) {
  test::TempDir folder;
  const Json figures = flyMadeUpFlight(folder, finalAndRollout(), 4500001,
                                       {"landing", "flare1", "flare2", "flare3", "flare4", "touchdown"}, kRunway28);
  EXPECT_GT(figures["touchdown_fraction"].get<double>(), 0.0) << figures;
  EXPECT_LT(figures["touchdown_fraction"].get<double>(), 1.0 / 3.0) << figures;
  EXPECT_LT(figures["touchdown_cross_m"].get<double>(), 30.0) << figures;
}

TEST(LabMotion, ATakeOffRollRotatesAndClimbsOutOnItsTrack) {
  test::TempDir folder;
  const Json figures = flyMadeUpFlight(folder, rollAndClimbOut(), 4500002, {"takeoff", "phase-take_off", "phase-flying"});
  EXPECT_TRUE(figures["touchdown_fraction"].is_null());
}

// The Zurich finals reach the traffic as ground reports (their altitudes lie
// within the reader's ground band of the field elevation), so these flights
// show few airborne frames: those of the departures' climb-outs. None may
// leave the ground where its reports do not.
TEST(LabMotion, TheZurichFlightsKeepTheAirborneTargets) {
  test::TempDir folder;
  const auto recording = test::sourceDir() / "data" / "feed" / "zurich.rec";
  auto arguments = labArguments(folder, recording, "out");
  arguments.insert(arguments.end(), {"--frame-hz", "5"});
  ASSERT_EQ(runTool(folder, "lab", arguments), 0) << test::readFile(folder / "lab.err");
  const std::vector<std::pair<std::string, uint32_t>> flights{
      {"EDW229", 4921528}, {"CAI3208", 33731}, {"VJT796", 5054669}, {"ACA879", 12587124}, {"ENT57BW", 4755894}};
  for (const auto& [flight, hexid] : flights) {
    const Json figures = fidelity(folder, recording, "out", hexid);
    expectAirborneTargets(figures, flight);
    EXPECT_GT(figures["frames_ground"].get<int>(), 0) << flight;
    const bool climbsOut = flight == "ACA879" || flight == "ENT57BW";
    EXPECT_EQ(figures["frames_air"].get<int>() > 0, climbsOut) << flight << figures;
  }
}

TEST(LabMotion, FidelityNeedsItsFilesAndAHexid) {
  test::TempDir folder;
  test::writeFile(folder / "frames.csv", "t_s,hexid,object_id,lat,lon,alt_ft,pitch_deg,bank_deg,heading_deg,on_ground,state\n");
  EXPECT_EQ(runTool(folder, "usage", {"fidelity", "--recording", "r.rec", "--frames", "f.csv"}), 2);
  EXPECT_EQ(runTool(folder, "runway", {"fidelity", "--recording", "r.rec", "--frames", "f.csv", "--hexid", "5",
                                       "--runway", "1,2,3"}),
            2);
  EXPECT_EQ(runTool(folder, "missing", {"fidelity", "--recording", (folder / "none.rec").string(), "--frames",
                                        (folder / "frames.csv").string(), "--hexid", "5"}),
            1);
  test::writeFile(folder / "one.rec", reportLine(0, 7, "TST7", 0.0, 2000.0, 0, 150));
  test::writeFile(folder / "bad.csv", "header\n1,7,100,47\n");
  EXPECT_EQ(runTool(folder, "bad", {"fidelity", "--recording", (folder / "one.rec").string(), "--frames",
                                    (folder / "bad.csv").string(), "--hexid", "7"}),
            1);
  EXPECT_NE(test::readFile(folder / "bad.err").find("bad.csv:2: expected 11 fields"), std::string::npos);
}

}  // namespace
}  // namespace tfx
