// aeroshadow-tool liveries-scan, regcodes and match on generated worlds.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "child_process.h"
#include "world_fixture.h"

namespace tfx {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct ToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

ToolRun runTool(const test::GeneratedWorld& world, const std::vector<std::string>& arguments) {
  const fs::path out = world.root / "tool.out";
  const fs::path err = world.root / "tool.err";
  test::ChildProcess tool(AEROSHADOW_TOOL_PATH, arguments, {.standardOutput = out, .standardError = err});
  ToolRun run;
  run.exitCode = tool.waitFor(std::chrono::seconds(120)).value_or(-1);
  run.out = test::readFile(out);
  run.err = test::readFile(err);
  return run;
}

std::vector<std::string> automaticScan(const test::GeneratedWorld& world) {
  return {"liveries-scan",   "--install",  world.install().string(),
          "--appdata",       world.manifest["appData"],
          "--programdata",   world.manifest["programData"],
          "--sim-root",      world.manifest["simRoot"],
          "--log",           (world.root / "scan.log").string()};
}

TEST(LiveryCommands, ScanPrintsWhatTheWorldHolds) {
  const test::GeneratedWorld world(21);
  const ToolRun run = runTool(world, automaticScan(world));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json answer = json::parse(run.out);
  EXPECT_EQ(answer["mode"], "automatic");
  EXPECT_EQ(answer["files"], world.manifest["files"]);
  EXPECT_EQ(answer["liveries"], world.manifest["liveries"].size());
  ASSERT_EQ(answer["folders"].size(), world.manifest["folders"].size());
  size_t perFolder = 0;
  for (const auto& folder : answer["folders"]) perFolder += folder["liveries"].get<size_t>();
  EXPECT_EQ(perFolder, world.manifest["liveries"].size());
  size_t pax = 0;
  for (const auto& [name, counts] : answer["categories"].items()) pax += counts["pax"].get<size_t>() + counts["cargo"].get<size_t>();
  EXPECT_EQ(pax, world.manifest["liveries"].size());
  EXPECT_GT(answer["regcodes"].get<size_t>(), 0u);
  EXPECT_TRUE(answer["reports"].contains("IncompleFltsimSections.txt"));
  EXPECT_NE(test::readFile(world.root / "scan.log").find("liveries scan automatic starts"), std::string::npos);

  std::vector<std::string> manual = {"liveries-scan", "--install", world.install().string(), "--prioritize"};
  for (const auto& folder : world.manifest["folders"]) {
    manual.push_back("--folder");
    manual.push_back(folder);
  }
  const ToolRun prioritized = runTool(world, manual);
  ASSERT_EQ(prioritized.exitCode, 0) << prioritized.err;
  EXPECT_EQ(json::parse(prioritized.out)["mode"], "manual");
  EXPECT_LT(json::parse(prioritized.out)["liveries"], answer["liveries"]);
}

TEST(LiveryCommands, RegistrationsAndMatchingOnTheSavedScan) {
  const test::GeneratedWorld world(22);
  ASSERT_EQ(runTool(world, automaticScan(world)).exitCode, 0);
  json painted;
  for (const auto& livery : world.manifest["liveries"]) {
    if (!livery["atcId"].get<std::string>().empty() && livery["airline"] != "PVT") painted = livery;
  }
  ASSERT_FALSE(painted.is_null());
  const std::string install = world.install().string();

  const json tie = json::parse(runTool(world, {"regcodes", "--install", install, "--reg", painted["atcId"]}).out);
  EXPECT_EQ(tie["title"], painted["title"]);
  EXPECT_EQ(tie["special"], false);
  const json all = json::parse(runTool(world, {"regcodes", "--install", install}).out);
  EXPECT_EQ(all["regcodes"][painted["atcId"].get<std::string>()], painted["title"]);

  const json own = json::parse(runTool(world, {"match", "--install", install, "--type", painted["type"], "--reg",
                                               painted["atcId"], "--airline", "XXX"})
                                   .out);
  EXPECT_EQ(own["title"], painted["title"]);
  EXPECT_EQ(own["step"], 1);
  const json byAirline = json::parse(runTool(world, {"match", "--install", install, "--type", painted["type"],
                                                     "--airline", painted["airline"], "--depth", "2"})
                                         .out);
  EXPECT_EQ(byAirline["step"], 2);
  const json failed = json::parse(runTool(world, {"match", "--install", install, "--type", painted["type"], "--reg",
                                                  painted["atcId"], "--failed", painted["title"]})
                                      .out);
  EXPECT_EQ(failed["counted"], false);

  test::writeFile(world.root / "batch.jsonl",
                  json({{"type", painted["type"]}, {"reg", painted["atcId"]}}).dump() + "\n" +
                      json({{"type", "ZZZZ"}, {"airline", "XXX"}}).dump() + "\n");
  const ToolRun batch = runTool(world, {"match", "--install", install, "--depth", "2", "--batch",
                                       (world.root / "batch.jsonl").string()});
  ASSERT_EQ(batch.exitCode, 0) << batch.err;
  std::vector<json> lines;
  std::istringstream stream(batch.out);
  for (std::string line; std::getline(stream, line);) lines.push_back(json::parse(line));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0]["step"], 1);
  EXPECT_EQ(lines[1]["matched"], false);
  EXPECT_EQ(lines[2]["summary"]["1"], 1);
}

TEST(LiveryCommands, BadUsageAndBadInputHaveTheirExitCodes) {
  const test::GeneratedWorld world(23, 4, 8);
  EXPECT_EQ(runTool(world, {"liveries-scan", "--bogus"}).exitCode, 2);
  EXPECT_EQ(runTool(world, {"match", "--install", world.install().string()}).exitCode, 2);
  EXPECT_EQ(runTool(world, {"match", "--install", world.install().string(), "--type", "B738", "--depth", "x"}).exitCode,
            2);
  std::vector<std::string> eleven = {"liveries-scan", "--install", world.install().string()};
  for (int index = 0; index < 11; ++index) eleven.insert(eleven.end(), {"--folder", world.root.path().string()});
  EXPECT_EQ(runTool(world, eleven).exitCode, 2);
  EXPECT_EQ(runTool(world, {"regcodes", "--install", (world.root / "nowhere").string()}).exitCode, 1);
  const ToolRun nothing = runTool(world, {"liveries-scan", "--install", world.install().string(), "--appdata",
                                          (world.root / "empty").string(), "--programdata",
                                          (world.root / "empty").string()});
  EXPECT_EQ(nothing.exitCode, 1);
  EXPECT_NE(nothing.err.find("43: Automatic scan has not found any liveries"), std::string::npos) << nothing.err;
}

TEST(LiveryCommands, TitlesWithAnsiBytesKeepTheJsonValid) {
  const test::GeneratedWorld world(24, 4, 8);
  const fs::path folder = world.root / "ansi" / "Cafe";
  test::writeFile(folder / "aircraft.cfg",
                  "[fltsim.0]\ntitle=Caf\xE9 Swiss A320\nsim=A320\nmodel=\ntexture=SWR\natc_parking_codes=SWR\n"
                  "[General]\natc_model=A320\n");
  test::writeFile(folder / "A320.air", "air");
  fs::create_directories(folder / "model");
  fs::create_directories(folder / "texture.SWR");
  const ToolRun scan =
      runTool(world, {"liveries-scan", "--install", world.install().string(), "--folder", (world.root / "ansi").string()});
  ASSERT_EQ(scan.exitCode, 0) << scan.err;
  EXPECT_EQ(json::parse(scan.out)["liveries"], 1);
  const ToolRun match = runTool(world, {"match", "--install", world.install().string(), "--type", "A320", "--airline", "SWR"});
  ASSERT_EQ(match.exitCode, 0) << match.err;
  EXPECT_EQ(json::parse(match.out)["step"], 2);
}

}  // namespace
}  // namespace tfx
