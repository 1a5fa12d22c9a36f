#include "ui/control_table.h"

#include "core/parameters.h"

namespace tfx::ui {
namespace {

ControlInfo fromSetting(const Parameter& setting, ControlKind kind, std::string_view label) {
  const ControlPlace* place = setting.controlPlace();
  return {place->id, kind, place->y, label};
}

ControlInfo fromButton(const WindowButton& button) {
  return {button.place.id, ControlKind::Button, button.place.y, button.caption};
}

}  // namespace

const std::vector<ControlInfo>& controlTable() {
  using enum ControlKind;
  static const std::vector<ControlInfo> table = {
      fromSetting(ALL_INSTALL_PATH, TextField, "Install path:"),
      fromSetting(SCAN_LIVERIES, CheckBox, "Scan for liveries"),
      fromSetting(LIG_AUTOMATIC, CheckBox, "Automatic"),
      fromSetting(LIG_PRIORITIZE, CheckBox, "Prioritize"),
      fromSetting(SUPPRESS_STUB, CheckBox, "Stub"),
      fromSetting(LOG, CheckBox, "Log"),
      fromSetting(ALWAYS_ON_TOP, CheckBox, "Stay on top"),
      fromSetting(SCAN_AIRPORTS, CheckBox, "Scan for addon airports"),
      fromSetting(AFG_AUTOMATIC, CheckBox, "Automatic"),
      fromSetting(LEARN_SOFT, CheckBox, "Learn Soft"),
      fromSetting(NAV_LIGHTS_WHILE_PARKED, CheckBox, "Nav lights"),
      fromSetting(MATCHING_DEPTH, List, "Max aircraft matching depth"),
      fromSetting(LIGHT_AIRCRAFT, CheckBox, "Light aircraft"),
      fromSetting(HELICOPTERS, CheckBox, "Helicopters"),
      fromSetting(HIGH_PERF_AIRCRAFT, CheckBox, "FighterJets"),
      fromSetting(AEROWINX, CheckBox, "Aerowinx"),
      fromSetting(GUID_CHANGES, CheckBox, "GUID changes"),
      fromSetting(RANGE, List, "Radius:"),
      fromSetting(AUTO_RANGE, CheckBox, "Auto range"),
      fromSetting(AR_ABOVE_HEIGHT, List, "Ah:"),
      fromButton(kUnblockButton),
      fromSetting(BLOCK_CALLSIGN, EditBox, "Block:"),
      fromSetting(COLLISION_USER_AIR, CheckBox, "User air"),
      fromSetting(COLLISION_USER_GND, CheckBox, "User ground"),
      fromSetting(COLLISION_LIVE_PARKED_GND, CheckBox, "Live X parked"),
      fromSetting(MAX_PARK_SEL, List, "Max park:"),
      fromSetting(MAX_LIVE_SEL, List, "Max live:"),
      fromSetting(STRAIGHT_PBS_ONLY, CheckBox, "Straight push backs only"),
      fromButton(kRereadButton),
      fromSetting(DESTINATION, EditBox, "Destination:"),
      fromSetting(AIRP_RANGE, List, "Range:"),
      fromSetting(AIRP_HEIGHT, List, "Height above gnd:"),
      fromButton(kFlushStaticButton),
      fromSetting(parking_percentage, EditBox, ""),
      fromSetting(INITIAL_LOAD_ONLY, CheckBox, "ILO"),
      fromSetting(PARK_SOFT, CheckBox, "Soft"),
      fromSetting(PARK_FAKE, CheckBox, "Fake"),
      fromSetting(MAX_FIT, EditBox, "Max fit:"),
      fromSetting(WEEK, CheckBox, "Week"),
      fromSetting(MAX_FIT_FL, EditBox, ""),
  };
  return table;
}

}  // namespace tfx::ui
