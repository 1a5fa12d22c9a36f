#include "scenario.h"

#include <gtest/gtest.h>

#include <cmath>

#include "titles.h"
#include "test_support.h"

namespace tfx::simstandin {
namespace {

TEST(StandinScenario, FlyingLegMovesAtItsSpeedAndStopsWhilePaused) {
  World world(0, {});
  ScenarioPlan plan;
  plan.start = {47.0, 8.0, 0.0, 5000.0, 360.0};  // due north at 360 knots: 6 nm a minute
  plan.pauseAt = 60;
  plan.resumeAt = 120;
  Scenario scenario(plan);
  scenario.begin(world);
  EXPECT_FALSE(scenario.advance(world, 30).paused);
  const ScenarioEvents pause = scenario.advance(world, 60);
  EXPECT_TRUE(pause.paused);
  const double afterMinute = world.user().latitude;
  EXPECT_NEAR(distanceMeters(47.0, 8.0, afterMinute, 8.0), 6 * 1852.0, 1.0);
  EXPECT_DOUBLE_EQ(world.user().longitude, 8.0);
  EXPECT_DOUBLE_EQ(world.user().altitudeFeet, 5000.0);
  scenario.advance(world, 90);
  EXPECT_DOUBLE_EQ(world.user().latitude, afterMinute);
  EXPECT_EQ(world.user().groundSpeedKnots, 0.0);
  EXPECT_TRUE(scenario.advance(world, 120).resumed);
  scenario.advance(world, 180);
  EXPECT_NEAR(distanceMeters(47.0, 8.0, world.user().latitude, 8.0), 12 * 1852.0, 1.0);
}

TEST(StandinScenario, TeleportsFlightLoadsAndQuitComeOnceAtTheirTimes) {
  World world(1416, {});
  ScenarioPlan plan;
  plan.start = {47.4582, 8.5481, 160.0, 0.0, 0.0};
  plan.teleports = {{100, 51.4775, -0.4614, 270, 0}};
  plan.flightLoads = {{50, "C:\\flights\\a.fxml"}};
  plan.otherTraffic = {{80, 47.46, 8.55, 1416, "OTHER1"}};
  plan.quitAt = 200;
  Scenario scenario(plan);
  scenario.begin(world);
  EXPECT_DOUBLE_EQ(world.user().altitudeFeet, 1416.0);  // parked on the ground
  EXPECT_EQ(scenario.advance(world, 60).flightsLoaded, std::vector<std::string>{"C:\\flights\\a.fxml"});
  EXPECT_TRUE(scenario.advance(world, 61).flightsLoaded.empty());
  EXPECT_DOUBLE_EQ(world.user().latitude, 47.4582);
  const ScenarioEvents other = scenario.advance(world, 80);
  ASSERT_EQ(other.otherTrafficAdded.size(), 1u);
  EXPECT_EQ(world.find(other.otherTrafficAdded[0])->atcId, "OTHER1");
  EXPECT_EQ(world.find(other.otherTrafficAdded[0])->title, kOtherTrafficTitle);
  EXPECT_TRUE(scenario.advance(world, 100).teleported);
  EXPECT_DOUBLE_EQ(world.user().latitude, 51.4775);
  EXPECT_NEAR(world.user().heading, 270 * 0.017453292519943295, 1e-12);
  EXPECT_TRUE(world.onGround(world.user()));
  EXPECT_FALSE(scenario.advance(world, 150).teleported);
  EXPECT_TRUE(scenario.advance(world, 250).quit);
  EXPECT_FALSE(scenario.advance(world, 260).quit);
}

TEST(StandinScenario, GroundIsFlatWithASmallMargin) {
  World world(500, {"A"});
  SimObject object;
  for (auto [altitude, onGround] : {std::pair{499.0, true}, {500.0, true}, {501.0, true}, {501.5, false}}) {
    object.altitudeFeet = altitude;
    EXPECT_EQ(world.onGround(object), onGround) << altitude;
  }
  object.altitudeFeet = 450;
  EXPECT_EQ(world.altitudeAboveGround(object), 0.0);
  EXPECT_FALSE(world.createAircraft("B", "X", 0, 0, 0, 0, 0, 0, 0).has_value());
  const auto id = world.createAircraft("a", "X", 0, 0, 0, 0, 0, 0, 0);
  ASSERT_TRUE(id.has_value());
  EXPECT_EQ(world.find(*id)->altitudeFeet, 500.0);
}

TEST(StandinTitles, ReadsTitleListsAndAircraftCfgFiles) {
  tfx::test::TempDir folder;
  tfx::test::writeFile(folder / "titles.txt", "# installed\n\nAirbus A320 Swiss\r\n  Boeing 737-800 KLM  \n");
  EXPECT_EQ(readTitlesFile(folder / "titles.txt"),
            (std::vector<std::string>{"Airbus A320 Swiss", "Boeing 737-800 KLM"}));
  std::filesystem::create_directories(folder / "SimObjects/Airplanes/A320");
  tfx::test::writeFile(folder / "SimObjects/Airplanes/A320/Aircraft.cfg",
                       "[fltsim.0]\ntitle=Airbus A320 Swiss\nmodel=\n[fltsim.1]\nTitle = Airbus A320 easyJet\r\n"
                       "[General]\natc_model=A320\n");
  tfx::test::writeFile(folder / "SimObjects/Airplanes/A320/readme.txt", "title=not an aircraft\n");
  EXPECT_EQ(scanAircraftCfgTitles(folder / "SimObjects"),
            (std::vector<std::string>{"Airbus A320 Swiss", "Airbus A320 easyJet"}));
}

}  // namespace
}  // namespace tfx::simstandin
