#include "ui/window_commands.h"

#include "core/parameters.h"
#include "ui/automatic_radius.h"
#include "window_fixture.h"

namespace tfx::ui {
namespace {

using WindowCommands = WindowFixture;

TEST_F(WindowCommands, ControlsShowTheirSettingsAtCreation) {
  EXPECT_EQ(boxText(parking_percentage.controlPlace()->id), "30");
  EXPECT_EQ(boxText(MAX_FIT_FL.controlPlace()->id), "24.0");
  EXPECT_EQ(boxText(MAX_FIT.controlPlace()->id), "47");
  EXPECT_EQ(model_.control(RANGE.controlPlace()->id)->selected, 40);
  EXPECT_TRUE(model_.control(SCAN_LIVERIES.controlPlace()->id)->checked);
  EXPECT_FALSE(enabled(ALL_INSTALL_PATH.controlPlace()->id));
  EXPECT_FALSE(enabled(kRereadButton.place.id));
  EXPECT_TRUE(enabled(kFlushStaticButton.place.id));
  EXPECT_TRUE(enabled(MAX_PARK_SEL.controlPlace()->id));
  EXPECT_TRUE(enabled(AR_ABOVE_HEIGHT.controlPlace()->id));
  EXPECT_FALSE(enabled(RANGE.controlPlace()->id));
  AUTO_RANGE.set(false);
  createWindowControls(model_);
  EXPECT_FALSE(enabled(AR_ABOVE_HEIGHT.controlPlace()->id));
  EXPECT_TRUE(enabled(RANGE.controlPlace()->id));
}

TEST_F(WindowCommands, RereadAndFlushAskTheMainThreadAndWait) {
  click(kRereadButton.place.id);
  EXPECT_TRUE(requests_.reread);
  EXPECT_FALSE(enabled(kRereadButton.place.id));
  EXPECT_FALSE(enabled(DESTINATION.controlPlace()->id));
  click(kFlushStaticButton.place.id);
  EXPECT_TRUE(requests_.flush);
  EXPECT_FALSE(enabled(kFlushStaticButton.place.id));
  EXPECT_EQ(strip(), "All static parked aircraft will be removed ...");
}

TEST_F(WindowCommands, AListPickStoresSavesAndShowsTheValue) {
  pick(RANGE.controlPlace()->id, 65);
  EXPECT_EQ(RANGE.value(), 65);
  EXPECT_EQ(stored("RANGE"), "65");
  EXPECT_EQ(trafficRadius().nm.load(), 65.0);
  EXPECT_EQ(trafficRadius().meters.load(), 65 * 1852.0);
  pick(MATCHING_DEPTH.controlPlace()->id, 2);
  EXPECT_EQ(MATCHING_DEPTH.value(), 2);
  EXPECT_EQ(stored("MATCHING_DEPTH"), "2");
  requests_.staticParkingActive = true;
  pick(MAX_PARK_SEL.controlPlace()->id, 75);
  EXPECT_EQ(stored("MAX_PARK_SEL"), "75");
  EXPECT_TRUE(requests_.parkingUpdate);
}

TEST_F(WindowCommands, ACommandNoHandlerTakesRepaintsTheStatusArea) {
  const int before = model_.invalidations();
  click(40000);
  EXPECT_EQ(model_.invalidations(), before + 1);
}

TEST(AutomaticRadius, HeightAboveGroundDecidesFirst) {
  EXPECT_EQ(automatic_radius({.onGround = true, .aboveGroundFt = 30000, .parkAirportNm = 3}), 10);
  EXPECT_EQ(automatic_radius({.aboveGroundFt = 48001}), 100);
  EXPECT_EQ(automatic_radius({.aboveGroundFt = 48000, .parkAirportNm = 3}), 40);
  EXPECT_EQ(automatic_radius({.aboveGroundFt = 18001, .parkAirportNm = 3}), 40);
  EXPECT_EQ(automatic_radius({.aboveGroundFt = 25000, .parkAirportNm = 3, .arAboveHeightFt = 24000}), 100);
}

TEST(AutomaticRadius, LowDownTheParkAirportDistanceDecides) {
  RadiusInputs low{.aboveGroundFt = 18000};
  auto at = [&](double nm) {
    low.parkAirportNm = nm;
    return automatic_radius(low);
  };
  EXPECT_EQ(at(7.0), 10);
  EXPECT_EQ(at(7.4), 10);   // round(7.4) + 3 = 10
  EXPECT_EQ(at(9.6), 14);   // 13 is nearest to 14
  EXPECT_EQ(at(20.0), 25);  // 23
  EXPECT_EQ(at(36.9), 40);  // 40
  EXPECT_EQ(at(37.0), 40);
  EXPECT_EQ(at(kNoParkAirportDistanceNm), 40);
}

TEST(AutomaticRadius, AppliedOnlyWithAKnownUser) {
  test::resetProgramState();
  RANGE.set(65);
  applyAutomaticRadius(std::nullopt, LatLon{47.46, 8.55});
  EXPECT_EQ(RANGE.value(), 65);
  applyAutomaticRadius(RadiusUser{{47.46, 8.95}, 3000, false}, LatLon{47.46, 8.55});
  EXPECT_EQ(RANGE.value(), 20);  // about 16.2 nm away: round(16.2) + 3 = 19, nearest 20
  EXPECT_EQ(trafficRadius().meters.load(), 20 * 1852.0);
  test::resetProgramState();
}

}  // namespace
}  // namespace tfx::ui
