#include "ui/edit_boxes.h"

#include <fmt/format.h>

#include "core/log.h"
#include "core/parameters.h"
#include "runstate/stop_flags.h"
#include "ui/number_boxes.h"
#include "window_fixture.h"

namespace tfx::ui {
namespace {

using EditBoxes = WindowFixture;

TEST_F(EditBoxes, IntegerBoxesReadAsStoiDoes) {
  const ControlId percentage = parking_percentage.controlPlace()->id;
  type(percentage, "12abc");
  EXPECT_EQ(parking_percentage.value(), 12);
  EXPECT_EQ(strip(), "The new parking_percentage is 12");
  EXPECT_EQ(boxText(percentage), "12");
  // Lives for this run only.
  EXPECT_EQ(stored("parking_percentage"), std::nullopt);
  type(percentage, "abc");
  EXPECT_EQ(strip(), "invalid stoi argument");
  type(percentage, "99999999999");
  EXPECT_EQ(strip(), "stoi argument out of range");
  EXPECT_EQ(parking_percentage.value(), 12);
  showMessage("kept", false);
  type(percentage, "");
  EXPECT_EQ(strip(), "kept");
}

TEST_F(EditBoxes, MaxFitAboveItsBoundStoresTheBound) {
  MAX_FIT.set(20);
  type(MAX_FIT.controlPlace()->id, "150");
  EXPECT_EQ(MAX_FIT.value(), 47);
  EXPECT_EQ(strip(), "The new MAX_FIT is 47");
  EXPECT_EQ(stored("MAX_FIT"), "47");
  EXPECT_EQ(boxText(MAX_FIT.controlPlace()->id), "47");
  LogCapture log;
  type(MAX_FIT.controlPlace()->id, " 47");
  EXPECT_EQ(strip(), "Same MAX_FIT value 47, no changes made");
  EXPECT_TRUE(log.contains("Same MAX_FIT value 47, no changes made"));
}

TEST_F(EditBoxes, FloatBoxesReadAsStofDoesAndShowOneDecimal) {
  const ControlId fraction = MAX_FIT_FL.controlPlace()->id;
  EXPECT_EQ(boxText(fraction), "24.0");
  type(fraction, "0.2h");
  EXPECT_EQ(MAX_FIT_FL.value(), 0.5f);
  EXPECT_EQ(strip(), "The new MAX_FIT_FL is 0.5");
  EXPECT_EQ(boxText(fraction), "0.5");
  EXPECT_EQ(stored("MAX_FIT_FL"), std::nullopt);
  type(fraction, "h");
  EXPECT_EQ(strip(), "invalid stof argument");
  type(fraction, "1e99");
  EXPECT_EQ(strip(), "stof argument out of range");
  type(fraction, "nan");
  EXPECT_EQ(strip(), "invalid stof argument");
  type(fraction, "0.5");
  EXPECT_EQ(strip(), "Same MAX_FIT_FL value 0.5, no changes made");
  EXPECT_EQ(MAX_FIT_FL.value(), 0.5f);
}

TEST_F(EditBoxes, BlockingACallsignStoresItAndTellsTheSessionOfItsLiveAircraft) {
  picture_.back().aircraft = {{.hexid = 0x4b1805, .live = true, .callsign = "SWR12"},
                              {.hexid = 0x4b1806, .live = true, .callsign = "SWR13"},
                              {.hexid = 17, .live = false, .callsign = "SWR12"}};
  picture_.publish();
  const ControlId box = BLOCK_CALLSIGN.controlPlace()->id;
  type(box, "  swr12 ");
  EXPECT_EQ(BLOCK_CALLSIGN.value(), "SWR12");
  EXPECT_EQ(stored("BLOCK_CALLSIGN"), "SWR12");
  EXPECT_EQ(boxText(box), "SWR12");
  EXPECT_EQ(strip(), "live aircraft with callsign 'SWR12' will be blocked");
  EXPECT_EQ(blocked_, std::vector<uint32_t>{0x4b1805});
  type(box, "swr12");
  EXPECT_EQ(strip(), "callsign 'SWR12' was already set ...");
  for (const char* invalid : {"swr-12", "ABCDEFGH9", " "}) {
    type(box, invalid);
    EXPECT_EQ(strip(), fmt::format("callsign '{}' is not valid", typedCode(invalid))) << invalid;
    EXPECT_EQ(BLOCK_CALLSIGN.value(), "SWR12");
  }
  EXPECT_EQ(blocked_.size(), 1u);
}

TEST_F(EditBoxes, UnblockEmptiesTheBoxAndTheSetting) {
  click(kUnblockButton.place.id);
  EXPECT_EQ(strip(), "Nothing to block or unblock...");
  type(BLOCK_CALLSIGN.controlPlace()->id, "EZY1");
  click(kUnblockButton.place.id);
  EXPECT_EQ(strip(), "no more blocking of live aircraft 'EZY1'");
  EXPECT_EQ(BLOCK_CALLSIGN.value(), "");
  EXPECT_EQ(stored("BLOCK_CALLSIGN"), "");
  EXPECT_EQ(boxText(BLOCK_CALLSIGN.controlPlace()->id), "");
}

TEST_F(EditBoxes, DestinationCodesAreCheckedBeforeTheDatabase) {
  const ControlId box = DESTINATION.controlPlace()->id;
  type(box, "ls");
  EXPECT_EQ(strip(), "destination 'LS' is not valid");
  type(box, "LSZH1");
  EXPECT_EQ(strip(), "destination 'LSZH1' is not valid");
  type(box, "zz_9");
  EXPECT_EQ(strip(), "destination 'ZZ_9' is unknown ...");
  EXPECT_EQ(DESTINATION.value(), "");
  EXPECT_FALSE(requests_.destination);
  DESTINATION.set("LSZH");
  type(box, "lszh");
  EXPECT_EQ(strip(), "destination 'LSZH' was already set ...");
  type(box, "  ");
  EXPECT_EQ(strip(), "destination set to empty");
  EXPECT_EQ(DESTINATION.value(), "");
  EXPECT_TRUE(WindowRequests::take(requests_.destination));
}

TEST_F(EditBoxes, AnExistingInstallPathRestartsTheSession) {
  const ControlId field = ALL_INSTALL_PATH.controlPlace()->id;
  type(field, (home_.root() / "missing").string());
  EXPECT_EQ(strip(), fmt::format("This install path does not exist: {}", (home_.root() / "missing").string()));
  EXPECT_FALSE(stopRequested());
  type(field, home_.root().string());
  EXPECT_EQ(SIM_INSTALL_PATH.value(), home_.root().string());
  EXPECT_EQ(stored("SIM_INSTALL_PATH"), home_.root().string());
  EXPECT_EQ(strip(), "Install path exists, Aeroshadow_P3D will restart");
  EXPECT_EQ(exitReason(), ExitReason::NewSettings);
  EXPECT_EQ(stopFlags().restartDelaySeconds, 2);
}

TEST_F(EditBoxes, AMissingControlIsLogged) {
  LogCapture log;
  EXPECT_EQ(lf_getTextFromId(model_, 1234), "");
  EXPECT_TRUE(log.contains("GetDlgItem failed for ID 1234"));
}

}  // namespace
}  // namespace tfx::ui
