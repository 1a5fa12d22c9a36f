// The program against both stand-ins: a flight first reported under a
// provisional callsign and then under its real one is shown once; the ghost
// goes when the real flight is spawned.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "eventually.h"
#include "program_world.h"

namespace tfx::test {
namespace {

using namespace std::chrono_literals;

// One airborne report near the stand-in's user aircraft, of an airline and
// type the test AI package has a livery for, at its place `offsetMs` into the
// replay (about 250 kt eastbound); the feed stand-in sets the report time as
// it sends.
std::string datagram(uint32_t hexid, const std::string& callsign, int offsetMs) {
  return fmt::format(
      "RTTFC,{},47.4500,{:.5f},6000,-640,0,90.0,250,{},B738,null,LSZH,EGLL,0,X,LX200,adsb_icao,6100,240,"
      "262,0.42,0,-1,90,90.0,-640,none,A3",
      hexid, 8.56 + 0.0017 * offsetMs / 1000.0, callsign);
}

// Reports every 5 s from `fromMs` until `untilMs` into the replay, placed as
// the ghost's track is `trackOffsetMs` later.
std::string recording(uint32_t hexid, const std::string& callsign, int fromMs, int untilMs, int trackOffsetMs) {
  std::string lines = fmt::format("# {} every 5 s\n", callsign);
  for (int at = fromMs; at < untilMs; at += 5000) {
    lines += fmt::format("{} 49005 {}\n", at, datagram(hexid, callsign, at - fromMs + trackOffsetMs));
  }
  return lines;
}

TEST(GhostTest, TheRealFlightRemovesItsProvisionalTwin) {
  ProgramWorld world;
  TempDir folder;
  // The provisional callsign reports from 10 s on (the readers are up by then;
  // a sanitizer build connects slower) for long enough that it never goes
  // stale while the test runs.
  const int provisionalFromMs = 10000 * kSanitizerSlowdown;
  writeFile(folder / "ghost.rec", recording(4921500, "SWR200_", provisionalFromMs, 1200000 * kSanitizerSlowdown, 0));
  // The simulator has the livery, so that the ghost is created and stays
  // until its real flight comes, however long the spawn takes.
  writeFile(folder / "titles.txt", "Swiss Boeing 737-800\n");
  world.startSimulator({"--titles=" + (folder / "titles.txt").string()});
  world.startProgram();
  // The feed replays from its launch: launched once the program waits for it,
  // the reports come after the readers are up however slowly the program started.
  ASSERT_TRUE(world.logShows("Waiting for RealTraffic to connect", 120s)) << world.log();
  world.startFeed({"--replay", (folder / "ghost.rec").string()});
  const auto feedStarted = std::chrono::steady_clock::now();
  ASSERT_TRUE(world.logShows("Traffic Reader connected", 60s)) << world.log();
  // The real callsign comes from a second feed once the ghost stands in the
  // simulator: a busy machine slows the program's cycles, and with them the
  // ghost's 30 s buffer, while a replay keeps the wall clock.
  ASSERT_TRUE(eventually(
      [&] { return world.simulatorMessageCount("title='Swiss Boeing 737-800' tail='SWR200_'") == 1; }, 180s))
      << world.log();
  const auto sinceProvisional = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - feedStarted - std::chrono::milliseconds(provisionalFromMs));
  writeFile(folder / "real.rec", recording(4921501, "SWR200", 0, 40000, static_cast<int>(sinceProvisional.count())));
  ChildProcess realFeed(TFX_FEEDSTANDIN,
                        {"--control-port", "none", "--qnh-interval", "0", "--replay", (folder / "real.rec").string()},
                        {.standardOutput = folder / "real-feed.out"});
  EXPECT_TRUE(world.logShows("          SWR200_  is a ghost and will be removed, continue with SWR200", 150s))
      << world.log();
  EXPECT_EQ(world.closeProgram(), 0);
}

}  // namespace
}  // namespace tfx::test
