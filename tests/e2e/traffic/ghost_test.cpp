// The program against both stand-ins: a flight first reported under a
// provisional callsign and then under its real one is shown once; the ghost
// goes when the real flight is spawned.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <map>

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

TEST(GhostTest, TheRealFlightRemovesItsProvisionalTwin) {
  ProgramWorld world;
  TempDir folder;
  // Every 5 s a report: the provisional callsign from 10 s (the readers are up
  // by then; a sanitizer build connects slower), the real one once the ghost
  // has left its 30 s buffer, which takes longer in a slow sanitizer build.
  // The ghost goes on reporting meanwhile, so that it is never stale.
  const int provisionalFromMs = 10000 * kSanitizerSlowdown;
  const int realFromMs = provisionalFromMs + 30000 + 2500 * kSanitizerSlowdown;
  const int realUntilMs = realFromMs + 40000;
  std::map<int, std::string> lines;
  for (int at = provisionalFromMs; at < realUntilMs; at += 5000) {
    lines[at] = datagram(4921500, "SWR200_", at - provisionalFromMs);
    if (at >= realFromMs) lines[at + 1] = datagram(4921501, "SWR200", at - provisionalFromMs);
  }
  std::string recording = "# a provisional callsign, then the real one\n";
  for (const auto& [offset, line] : lines) recording += fmt::format("{} 49005 {}\n", offset, line);
  writeFile(folder / "ghost.rec", recording);
  // The simulator has the livery, so that the ghost is created and stays
  // until its real flight comes, however long the spawn takes.
  writeFile(folder / "titles.txt", "Swiss Boeing 737-800\n");
  world.startSimulator({"--titles=" + (folder / "titles.txt").string()});
  world.startProgram();
  // The feed replays from its launch: launched once the program waits for it,
  // the reports come after the readers are up however slowly the program started.
  ASSERT_TRUE(world.logShows("Waiting for RealTraffic to connect", 120s)) << world.log();
  world.startFeed({"--replay", (folder / "ghost.rec").string()});
  ASSERT_TRUE(world.logShows("Traffic Reader connected", 60s)) << world.log();
  EXPECT_TRUE(world.logShows("          SWR200_  is a ghost and will be removed, continue with SWR200", 150s))
      << world.log();
  EXPECT_EQ(world.closeProgram(), 0);
}

}  // namespace
}  // namespace tfx::test
