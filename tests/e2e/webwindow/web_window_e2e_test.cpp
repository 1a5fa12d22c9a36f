// The program with both stand-ins and its web window in Chromium: the page
// shows the model, changes it as the window would, lists the traffic and
// closes the program.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "../app/program_world.h"
#include "child_process.h"
#include "eventually.h"

namespace tfx::test {
namespace {

namespace fs = std::filesystem;

fs::path peersFolder() {
  if (const char* chosen = std::getenv("AEROSHADOW_TEST_PEERS")) return chosen;
  if (const char* cache = std::getenv("XDG_CACHE_HOME")) return fs::path(cache) / "aeroshadow-test-peers";
  return fs::path(std::getenv("HOME")) / ".cache" / "aeroshadow-test-peers";
}

// The Zurich recording with one more aircraft flying towards the airport whose
// registration is markup (the feed carries at most 12 characters), reported every second for ten minutes.
fs::path recordingWithMarkup(const fs::path& folder) {
  std::ifstream zurich(sourceDir() / "data" / "feed" / "zurich.rec");
  std::vector<std::pair<long, std::string>> lines;
  std::string header;
  for (std::string line; std::getline(zurich, line);) {
    if (line.starts_with('#')) {
      header += line + "\n";
      continue;
    }
    lines.emplace_back(std::stol(line.substr(0, line.find(' '))), line);
  }
  for (long offset = 0; offset < 600'000; offset += 1000) {
    // Northbound at 160 kt and 3000 ft, south of the airport.
    const double lat = 47.40 + offset / 1000.0 * 0.00074;
    lines.emplace_back(offset, fmt::format("{} 49005 RTTFC,11259375,{:.5f},8.5620,3000,0,0,0.0,160.0,XSS101,A320,"
                                           "<img src=x>,ZRH,LHR,0,replay,null,adsb_icao,-1,-1,-1,-1,-1,-1,-1,-1,-1,"
                                           "none,A3",
                                           offset, lat));
  }
  std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  const fs::path recording = folder / "zurich-markup.rec";
  std::ofstream out(recording);
  out << header;
  for (const auto& [offset, line] : lines) out << line << "\n";
  return recording;
}

TEST(WebWindowE2e, ThePageDrivesTheProgram) {
  if (!fs::exists(peersFolder() / "node_modules" / "playwright-core" / "package.json")) {
    GTEST_SKIP() << "playwright-core is not installed (scripts/test-peers.sh)";
  }
  ProgramWorld world;
  world.startSimulator();
  world.startProgram();
  // The feed replays from its launch: launched once the program waits for it,
  // no aircraft is lost to a program that starts slowly on a busy machine.
  ASSERT_TRUE(world.logShows("Waiting for RealTraffic to connect", std::chrono::seconds(120))) << world.log();
  world.startFeed(
      {"--replay", recordingWithMarkup(world.root()).string(), "--aircraft", "12", "--center", "47.4581,8.5556"});
  ASSERT_TRUE(world.logShows("Web window at http://127.0.0.1:")) << world.log();
  std::smatch found;
  const std::string log = world.log();
  ASSERT_TRUE(std::regex_search(log, found, std::regex(R"(Web window at (http://127\.0\.0\.1:\d+/))")));
  const std::string url = found[1];
  ASSERT_TRUE(world.logShows("Traffic Reader connected")) << world.log();
  const fs::path parameters = world.appData() / "Aeroshadow_P3D" / "parameters.xml";
  ChildProcess page(TFX_NODE,
                    {(sourceDir() / "tests" / "e2e" / "webwindow" / "page_e2e.mjs").string(), url, parameters.string(),
                     TFX_CHROMIUM, peersFolder().string(), std::to_string(kSanitizerSlowdown)},
                    {.standardOutput = world.root() / "page.out", .standardError = world.root() / "page.err"});
  const std::optional<int> pageExit = page.waitFor(std::chrono::seconds(240) * kSanitizerSlowdown);
  EXPECT_EQ(pageExit, 0) << readFile(world.root() / "page.out") << readFile(world.root() / "page.err");
  EXPECT_EQ(world.programExit(std::chrono::seconds(60)), 0) << world.log();
  EXPECT_NE(world.log().find("Exiting: USER CLOSED SIM"), std::string::npos) << world.log();
  // Once at start-up and once for the page's "Re-read".
  const std::string finalLog = world.log();
  size_t reads = 0;
  for (size_t at = finalLog.find("park airports and stands are okay"); at != std::string::npos;
       at = finalLog.find("park airports and stands are okay", at + 1)) {
    ++reads;
  }
  EXPECT_EQ(reads, 2u) << finalLog;
}

}  // namespace
}  // namespace tfx::test
