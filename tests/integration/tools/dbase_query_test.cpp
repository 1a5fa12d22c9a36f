// aeroshadow-tool dbase asks the shipped database through the program's own reader.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "child_process.h"
#include "test_support.h"

namespace tfx {
namespace {

nlohmann::json query(const test::TempDir& folder, const std::vector<std::string>& question) {
  std::vector<std::string> arguments = {"dbase", "--enc", (test::binaryDir() / "input" / "dbase.enc").string()};
  arguments.insert(arguments.end(), question.begin(), question.end());
  test::ChildProcess tool(AEROSHADOW_TOOL_PATH, arguments,
                              {.standardOutput = folder / "out.json", .workingDirectory = folder.path()});
  EXPECT_EQ(tool.waitFor(std::chrono::seconds(30)), 0);
  return nlohmann::json::parse(test::readFile(folder / "out.json"));
}

TEST(DbaseQueryTest, TypesRegistrationsAirlinesAndPublishers) {
  test::TempDir folder;
  const auto b738 = query(folder, {"type", "B738"});
  EXPECT_EQ(b738["category"], 2);
  EXPECT_EQ(b738["categoryName"], "Large");
  EXPECT_NEAR(b738["halfWingspanNm"].get<double>(), 0.0096, 0.0001);
  EXPECT_EQ(query(folder, {"type", "A388"})["category"], 3);
  EXPECT_EQ(query(folder, {"type", "C172"})["category"], 0);
  const auto registration = query(folder, {"reg", "PHBCA"});
  EXPECT_EQ(registration["found"], true);
  EXPECT_EQ(registration["airline"], "KLM");
  EXPECT_EQ(query(folder, {"airline", "SWR"})["valid"], true);
  EXPECT_EQ(query(folder, {"publisher", "orbx_lszh.bgl"})["publisher"], "simaddon");
}

}  // namespace
}  // namespace tfx
