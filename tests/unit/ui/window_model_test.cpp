#include "ui/window_model.h"

#include <gtest/gtest.h>

#include <set>

#include "core/message_line.h"
#include "core/parameters.h"

namespace tfx::ui {
namespace {

TEST(ControlTable, EverySettingControlOnceWithItsRow) {
  std::set<ControlId> ids;
  for (const ControlInfo& info : controlTable()) EXPECT_TRUE(ids.insert(info.id).second) << info.id;
  for (Parameter* setting : windowBoundParameters()) {
    EXPECT_TRUE(ids.count(setting->controlPlace()->id)) << setting->name();
  }
  EXPECT_EQ(ids.size(), windowBoundParameters().size() + 3);
  WindowModel model;
  EXPECT_EQ(model.control(32818)->info.label, "Radius:");
  EXPECT_EQ(model.control(32818)->info.y, 231);
  EXPECT_EQ(model.control(32858)->info.kind, ControlKind::Button);
}

TEST(WindowModel, SettingsShowTheirValuesInTheirControls) {
  WindowModel model;
  setControlView(&model);
  RANGE.set(65);
  RANGE.showInControl();
  EXPECT_EQ(model.control(32818)->selected, 65);
  // A radius between the list's entries selects none of them.
  RANGE.set(7);
  RANGE.showInControl();
  EXPECT_FALSE(model.control(32818)->selected);
  LOG.set(false);
  LOG.showInControl();
  EXPECT_FALSE(model.control(32779)->checked);
  MAX_FIT.showInControl();
  EXPECT_EQ(model.control(32853)->text, "47");
  setControlView(nullptr);
  RANGE.set(RANGE.defaultValue());
  LOG.set(true);
}

TEST(WindowModel, MessageStripHoldsWhatWasPainted) {
  WindowModel model;
  setWindowSurface(&model);
  MessageLine line;
  line.show("park airports and stands are okay", false);
  EXPECT_EQ(model.stripBrush(), colours::kLimeGreen);
  EXPECT_EQ(model.stripText(), "park airports and stands are okay");
  line.showError("61: In XML file section [aircrafts], element [aircraft], attribute [types] is empty.");
  EXPECT_EQ(model.stripBrush(), colours::kRed);
  EXPECT_EQ(model.stripText(), "61: In XML file section [aircrafts], element [aircraft], attribute [types] is empty.");
  line.clearAll();
  EXPECT_EQ(model.stripText(), "");
  EXPECT_GE(model.invalidations(), 3);
  setWindowSurface(nullptr);
}

}  // namespace
}  // namespace tfx::ui
