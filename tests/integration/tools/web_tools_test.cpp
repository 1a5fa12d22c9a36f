// aeroshadow-tool auto-radius and web-request run the program's own rule,
// API and handlers.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "child_process.h"
#include "test_support.h"

namespace tfx {
namespace {

struct ToolRun {
  int exitCode = 0;
  std::vector<nlohmann::json> answers;
};

ToolRun runTool(const test::TempDir& folder, const std::vector<std::string>& arguments) {
  test::ChildProcess tool(AEROSHADOW_TOOL_PATH, arguments,
                          {.standardOutput = folder / "out.json", .workingDirectory = folder.path()});
  ToolRun run{tool.waitFor(std::chrono::seconds(30)).value_or(-1), {}};
  std::istringstream lines(test::readFile(folder / "out.json"));
  for (std::string line; std::getline(lines, line);) run.answers.push_back(nlohmann::json::parse(line));
  return run;
}

TEST(AutoRadiusTool, TheRuleAtItsBounds) {
  test::TempDir folder;
  auto radius = [&](const std::vector<std::string>& options) {
    std::vector<std::string> arguments{"auto-radius"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    const ToolRun run = runTool(folder, arguments);
    EXPECT_EQ(run.exitCode, 0);
    return run.answers.at(0)["range_nm"].get<int>();
  };
  EXPECT_EQ(radius({"--ground"}), 10);
  EXPECT_EQ(radius({"--agl-ft", "48001"}), 100);
  EXPECT_EQ(radius({"--agl-ft", "48001", "--ar-above-height", "48000"}), 100);
  EXPECT_EQ(radius({"--agl-ft", "18000", "--park-nm", "7"}), 10);
  EXPECT_EQ(radius({"--agl-ft", "18000", "--park-nm", "20"}), 25);
  EXPECT_EQ(radius({"--agl-ft", "18001", "--park-nm", "20"}), 40);
  EXPECT_EQ(radius({"--agl-ft", "9000", "--park-nm", "20", "--airp-height", "8000"}), 40);
  EXPECT_EQ(runTool(folder, {"auto-radius"}).exitCode, 2);
  EXPECT_EQ(runTool(folder, {"auto-radius", "--ground", "--agl-ft", "10"}).exitCode, 2);
}

TEST(WebRequestTool, RequestsRunThroughTheApiAndSaveIntoTheFile) {
  test::TempDir folder;
  test::writeFile(folder / "type.http",
                  "POST /api/command HTTP/1.1\r\nHost: 127.0.0.1:10760\r\nContent-Type: application/json\r\n\r\n"
                  "{\"id\":32853,\"text\":\"150\"}");
  test::writeFile(folder / "evil.http", "GET /api/window HTTP/1.1\r\nHost: evil.example\r\n\r\n");
  test::writeFile(folder / "pick.http",
                  "POST /api/command HTTP/1.1\r\nHost: localhost:10760\r\nContent-Type: application/json\r\n\r\n"
                  "{\"id\":32846,\"value\":75}");
  test::writeFile(folder / "bad.http", "nonsense");
  const ToolRun run = runTool(folder, {"web-request", "--params", (folder / "parameters.xml").string(), "--port",
                                       "10760", "type.http", "evil.http", "pick.http", "bad.http"});
  EXPECT_EQ(run.exitCode, 0);
  ASSERT_EQ(run.answers.size(), 4u);
  EXPECT_EQ(run.answers[0]["status"], 200);
  EXPECT_EQ(run.answers[0]["message"], "The new MAX_FIT is 47");
  EXPECT_EQ(run.answers[1]["status"], 403);
  EXPECT_EQ(run.answers[2]["status"], 200);
  EXPECT_EQ(run.answers[3]["status"], 400);
  const std::string saved = test::readFile(folder / "parameters.xml");
  EXPECT_NE(saved.find(R"(name="MAX_PARK_SEL" value="75")"), std::string::npos);
  EXPECT_NE(saved.find(R"(name="MAX_FIT" value="47")"), std::string::npos);
}

}  // namespace
}  // namespace tfx
