#include "options.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tfx::simstandin {
namespace {

TEST(StandinOptions, CommandLineAndScenarioFileGiveTheSameSettings) {
  tfx::test::TempDir folder;
  tfx::test::writeFile(folder / "scenario.txt",
                       "# flight out of Zurich\nflying = 47.45,8.56,160,250,5000\n"
                       "teleport-at=120,51.4775,-0.4614,270,0\nflight-loaded-at=300, C:\\f\\a.fxml\nquit-at=600\n"
                       "other-traffic-at=10,47.46,8.55,1416, HBXYZ\n");
  std::string error;
  const StandinOptions options = parseOptions({"--port=0", "--simulator=v6", "--frame-rate=20",
                                               "--ground-elevation=1416", "--single-client",
                                               "--scenario=" + (folder / "scenario.txt").string(), "--pause-at=30"},
                                              error);
  ASSERT_EQ(error, "");
  EXPECT_EQ(options.port, 0);
  EXPECT_EQ(options.frameRate, 20);
  EXPECT_EQ(options.groundElevationFeet, 1416);
  EXPECT_TRUE(options.singleClient);
  EXPECT_EQ(options.scenario.start.speedKnots, 250);
  EXPECT_EQ(options.scenario.start.altitudeFeet, 5000);
  EXPECT_EQ(options.scenario.start.headingDeg, 160);
  ASSERT_EQ(options.scenario.teleports.size(), 1u);
  EXPECT_EQ(options.scenario.teleports[0].longitude, -0.4614);
  ASSERT_EQ(options.scenario.flightLoads.size(), 1u);
  EXPECT_EQ(options.scenario.flightLoads[0].fileName, "C:\\f\\a.fxml");
  EXPECT_EQ(options.scenario.quitAt, 600);
  ASSERT_EQ(options.scenario.otherTraffic.size(), 1u);
  EXPECT_EQ(options.scenario.otherTraffic[0].tailNumber, "HBXYZ");
  EXPECT_EQ(options.scenario.otherTraffic[0].altitudeFeet, 1416);
  EXPECT_EQ(options.scenario.pauseAt, 30);
  EXPECT_EQ(simulatorIdentity(options.simulator).name, "Lockheed Martin\xAE Prepar3D\xAE v6");
  EXPECT_EQ(simulatorIdentity("KittyHawk").name, "KittyHawk");

  const StandinOptions defaults = parseOptions({"--parked=47.1,8.2,90"}, error);
  EXPECT_EQ(defaults.port, 2048);
  EXPECT_EQ(defaults.scenario.start.speedKnots, 0);
  EXPECT_EQ(defaults.scenario.start.altitudeFeet, 0);
}

TEST(StandinOptions, MistakesAreNamed) {
  std::string error;
  for (auto [argument, message] : {std::pair{"--port=70000", "invalid value '70000' for port"},
                                   {"--flying=47,8,90", "invalid value '47,8,90' for flying"},
                                   {"--frame-rate=0", "invalid value '0' for frame-rate"},
                                   {"--colour=red", "unknown option colour"},
                                   {"--other-traffic-at=10,47,8,0", "invalid value '10,47,8,0' for other-traffic-at"},
                                   {"--other-traffic-at=10,47,8,0,", "invalid value '10,47,8,0,' for other-traffic-at"},
                                   {"port=1", "unexpected argument port=1"},
                                   {"--scenario=/nonexistent/file", "cannot read scenario file /nonexistent/file"}}) {
    parseOptions({argument}, error);
    EXPECT_EQ(error, message);
  }
}

}  // namespace
}  // namespace tfx::simstandin
