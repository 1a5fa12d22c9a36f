#include "ui/check_boxes.h"

#include "core/log.h"
#include "core/parameters.h"
#include "realtraffic/realtraffic_status.h"
#include "runstate/stop_flags.h"
#include "window_fixture.h"

namespace tfx::ui {
namespace {

using CheckBoxes = WindowFixture;

struct Expected {
  CheckBoxParameter* setting;
  std::optional<std::string> whenOn;  // nullopt: the strip keeps what it showed
  std::optional<std::string> whenOff;
};

const std::string kKeep = "(earlier message)";

TEST_F(CheckBoxes, EveryBoxTogglesStoresSavesAndTellsItsMessage) {
  const std::vector<Expected> rows = {
      {&LIG_AUTOMATIC, "", "The liveries defined by your lfolder parameters will be scanned"},
      {&LIG_PRIORITIZE, "Liveries, for airl+model, in lower lfolders that are already available will be skipped", ""},
      {&COLLISION_LIVE_PARKED_GND, "",
       "Be aware, no collision avoidance with live aircraft vs parked static on the ground"},
      {&COLLISION_USER_GND, "", "Be aware, no collision avoidance with user aircraft on the ground"},
      {&COLLISION_USER_AIR, "", "Be aware, no collision avoidance with user aircraft in the air"},
      {&INITIAL_LOAD_ONLY, "Initial Load Only: static parked aircraft are generated once, no renewal every 20 minutes",
       ""},
      {&ALWAYS_ON_TOP, "Aeroshadow_P3D's window will remain visible", ""},
      {&SUPPRESS_STUB, "Exclude FSLTL-liveries titles ending with _STUB from scan", std::nullopt},
      {&GUID_CHANGES, std::nullopt,
       "Be aware, no more livery updates: you miss correct data for Learn, LittleNavMap, etc!"},
      {&AEROWINX, "Note: This mode is for Aerowinx PSX users only, please re-start Aeroshadow_P3D", std::nullopt},
      {&AFG_AUTOMATIC, "The airports defined by your afolder parameters will be scanned", std::nullopt},
      {&LOG, std::nullopt, std::nullopt},
      {&STRAIGHT_PBS_ONLY, std::nullopt, std::nullopt},
      {&LIGHT_AIRCRAFT, std::nullopt, std::nullopt},
      {&HELICOPTERS, std::nullopt, std::nullopt},
      {&HIGH_PERF_AIRCRAFT, std::nullopt, std::nullopt},
      {&LEARN_SOFT, std::nullopt, std::nullopt},
      {&PARK_SOFT, std::nullopt, std::nullopt},
      {&PARK_FAKE, std::nullopt, std::nullopt},
      {&WEEK, std::nullopt, std::nullopt},
      {&NAV_LIGHTS_WHILE_PARKED, std::nullopt, std::nullopt},
  };
  for (const Expected& row : rows) {
    const ControlId id = row.setting->controlPlace()->id;
    for (int round = 0; round < 2; ++round) {
      const bool before = row.setting->value();
      showMessage(kKeep, false);
      click(id);
      const bool on = !before;
      EXPECT_EQ(row.setting->value(), on) << row.setting->name();
      EXPECT_EQ(model_.control(id)->checked, on) << row.setting->name();
      EXPECT_EQ(stored(row.setting->name()), on ? "true" : "false") << row.setting->name();
      EXPECT_EQ(strip(), (on ? row.whenOn : row.whenOff).value_or(kKeep)) << row.setting->name() << " on=" << on;
    }
  }
}

TEST_F(CheckBoxes, EveryCheckBoxOfTheWindowHasItsRow) {
  size_t boxes = 0;
  for (const ControlInfo& info : controlTable()) {
    if (info.kind != ControlKind::CheckBox) continue;
    ++boxes;
    const auto& rows = checkBoxRows();
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                            [&](const CheckBoxRow& row) { return row.setting->controlPlace()->id == info.id; }),
              1)
        << info.label;
  }
  EXPECT_EQ(checkBoxRows().size(), boxes);
}

TEST_F(CheckBoxes, TheBoxAnswersFromWhatItShowsNotFromTheSetting) {
  LOG.set(false);  // changed behind the window's back: the box still shows it ticked
  click(LOG.controlPlace()->id);
  EXPECT_FALSE(LOG.value());
  EXPECT_FALSE(model_.control(LOG.controlPlace()->id)->checked);
}

TEST_F(CheckBoxes, ScanBeforeRealTrafficConnectedRestartsAfterTwoSeconds) {
  SCAN_LIVERIES.set(false);
  SCAN_LIVERIES.showInControl();
  realTrafficStatus().connected = false;
  LogCapture log;
  click(SCAN_LIVERIES.controlPlace()->id);
  EXPECT_EQ(strip(), "Your liveries will be scanned");
  EXPECT_TRUE(log.contains("Your liveries will be scanned"));
  EXPECT_TRUE(stopFlags().sessionExit);
  EXPECT_EQ(exitReason(), ExitReason::NewSettings);
  EXPECT_EQ(stopFlags().restartDelaySeconds, 2);
}

TEST_F(CheckBoxes, ScanOnceConnectedWaitsForTheNextStart) {
  SCAN_AIRPORTS.set(false);
  SCAN_AIRPORTS.showInControl();
  realTrafficStatus().connected = true;
  click(SCAN_AIRPORTS.controlPlace()->id);
  EXPECT_EQ(strip(),
            "Your airports will be scanned at the next start of Aeroshadow_P3D, recommended after you have "
            "add/removed airports");
  EXPECT_FALSE(stopRequested());
  click(SCAN_AIRPORTS.controlPlace()->id);
  EXPECT_EQ(strip(), "");
  realTrafficStatus().connected = false;
}

TEST_F(CheckBoxes, StayOnTopFollowsTheBox) {
  click(ALWAYS_ON_TOP.controlPlace()->id);
  EXPECT_TRUE(model_.topmost());
  click(ALWAYS_ON_TOP.controlPlace()->id);
  EXPECT_FALSE(model_.topmost());
}

TEST_F(CheckBoxes, AutoRangeTakesOverTheRadiusAndGivesTheManualOneBack) {
  AUTO_RANGE.set(false);
  AUTO_RANGE.showInControl();
  RANGE.set(65);
  picture_.back().user = PictureUser{.lat = 47.45, .lon = 8.56, .aboveGroundFt = 0, .onGround = true};
  picture_.publish();
  click(AUTO_RANGE.controlPlace()->id);
  EXPECT_EQ(RANGE.value(), 10);
  EXPECT_EQ(trafficRadius().nm.load(), 10.0);
  EXPECT_EQ(model_.control(RANGE.controlPlace()->id)->selected, 10);
  EXPECT_FALSE(enabled(RANGE.controlPlace()->id));
  EXPECT_TRUE(enabled(AR_ABOVE_HEIGHT.controlPlace()->id));
  // The automatic radius is not saved.
  EXPECT_NE(stored("RANGE"), "10");
  click(AUTO_RANGE.controlPlace()->id);
  EXPECT_EQ(RANGE.value(), 65);
  EXPECT_EQ(trafficRadius().meters.load(), 65 * 1852.0);
  EXPECT_TRUE(enabled(RANGE.controlPlace()->id));
  EXPECT_FALSE(enabled(AR_ABOVE_HEIGHT.controlPlace()->id));
}

TEST_F(CheckBoxes, AutoRangeInTheAirMeasuresToTheFirstParkAirportOfThePicture) {
  AUTO_RANGE.set(false);
  AUTO_RANGE.showInControl();
  const PictureUser user{.lat = 47.46, .lon = 8.95, .aboveGroundFt = 3000, .onGround = false};
  picture_.back().user = user;
  picture_.publish();
  click(AUTO_RANGE.controlPlace()->id);
  EXPECT_EQ(RANGE.value(), 40) << "no park airport counts as far away";
  click(AUTO_RANGE.controlPlace()->id);
  // About 16.2 nm to the first park airport: round(16.2) + 3 = 19, nearest list value 20.
  picture_.back().user = user;
  picture_.back().parking.firstParkAirport = ParkAirportPlace{"LSZH", 47.46, 8.55};
  picture_.publish();
  click(AUTO_RANGE.controlPlace()->id);
  EXPECT_EQ(RANGE.value(), 20);
}

TEST_F(CheckBoxes, AutoRangeWithoutAUserChangesNoRadius) {
  AUTO_RANGE.set(false);
  AUTO_RANGE.showInControl();
  RANGE.set(65);
  click(AUTO_RANGE.controlPlace()->id);
  EXPECT_EQ(RANGE.value(), 65);
}

TEST_F(CheckBoxes, ParkingBoxesAnnounceTheSecondsToTheNextFifteenthTick) {
  requests_.staticParkingActive = true;
  requests_.tickCounter = 13;
  click(PARK_FAKE.controlPlace()->id);
  EXPECT_EQ(strip(), "Aeroshadow_P3D will respond in 2 seconds ...");
  EXPECT_TRUE(WindowRequests::take(requests_.parkingUpdate));
  requests_.tickCounter = 29;
  click(WEEK.controlPlace()->id);
  EXPECT_EQ(strip(), "Aeroshadow_P3D will respond in 1 second ...");
  INITIAL_LOAD_ONLY.set(true);
  showMessage(kKeep, false);
  click(PARK_SOFT.controlPlace()->id);
  EXPECT_EQ(strip(), kKeep);
  EXPECT_TRUE(WindowRequests::take(requests_.parkingUpdate));
}

TEST_F(CheckBoxes, WithoutStaticParkingNothingIsRequested) {
  click(PARK_FAKE.controlPlace()->id);
  click(LEARN_SOFT.controlPlace()->id);
  EXPECT_FALSE(requests_.parkingUpdate);
  requests_.staticParkingActive = true;
  click(LEARN_SOFT.controlPlace()->id);
  EXPECT_TRUE(requests_.parkingUpdate);
}

TEST_F(CheckBoxes, NavLightsAskTheMainThread) {
  click(NAV_LIGHTS_WHILE_PARKED.controlPlace()->id);
  EXPECT_TRUE(WindowRequests::take(requests_.navLights));
}

}  // namespace
}  // namespace tfx::ui
