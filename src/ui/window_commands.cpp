#include "ui/window_commands.h"

#include <fmt/format.h>

#include <algorithm>

#include "core/message_line.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "core/window_surface.h"
#include "ui/check_boxes.h"
#include "ui/edit_boxes.h"

namespace tfx::ui {
namespace {

ComboParameter* const kLists[] = {&MATCHING_DEPTH, &RANGE,      &AR_ABOVE_HEIGHT, &MAX_PARK_SEL,
                                  &MAX_LIVE_SEL,   &AIRP_RANGE, &AIRP_HEIGHT};

void unblock() {
  const std::string callsign = BLOCK_CALLSIGN.value();
  if (callsign.empty()) {
    showMessage("Nothing to block or unblock...", false);
    return;
  }
  BLOCK_CALLSIGN.set("");
  saveParameter(BLOCK_CALLSIGN);
  BLOCK_CALLSIGN.showInControl();
  showMessage(fmt::format("no more blocking of live aircraft '{}'", callsign));
}

}  // namespace

bool handleButton(WindowContext& context, ControlId id) {
  if (id == kUnblockButton.place.id) {
    unblock();
  } else if (id == kRereadButton.place.id) {
    context.requests.reread = true;
    context.model.setEnabled(kRereadButton.place.id, false);
    context.model.setEnabled(DESTINATION.controlPlace()->id, false);
  } else if (id == kFlushStaticButton.place.id) {
    showMessage("All static parked aircraft will be removed ...");
    context.requests.flush = true;
    context.model.setEnabled(kFlushStaticButton.place.id, false);
  } else {
    return handleEditBox(context, id);
  }
  return true;
}

bool handleList(WindowContext& context, ControlId id) {
  const auto list = std::find_if(std::begin(kLists), std::end(kLists),
                                 [&](const ComboParameter* setting) { return setting->controlPlace()->id == id; });
  if (list == std::end(kLists)) return false;
  ComboParameter& setting = **list;
  const std::optional<ControlState> control = context.model.control(id);
  if (!control || !control->selected) return true;
  setting.set(*control->selected);
  saveParameter(setting);
  setting.showInControl();
  if (&setting == &RANGE) updateTrafficRadius();
  // "Max park:" decides how many static aircraft the parking places.
  if (&setting == &MAX_PARK_SEL) announceParkingUpdate(context.requests);
  return true;
}

void lf_HandleWMCOMMAND(WindowContext& context, ControlId id) {
  if (handleButton(context, id) || handleCheckBox(context, id) || handleList(context, id)) return;
  repaintStatusArea();
}

void runControlInput(WindowContext& context, ControlId id, const std::optional<int32_t>& listValue,
                     const std::optional<std::string>& text) {
  if (listValue) context.model.showListValue(id, *listValue);
  if (text) context.model.showEditText(id, *text);
  lf_HandleWMCOMMAND(context, id);
}

void createWindowControls(WindowModel& model) {
  for (Parameter* setting : windowBoundParameters()) setting->showInControl();
  for (const ControlState& control : model.controls()) model.setEnabled(control.info.id, true);
  model.setEnabled(ALL_INSTALL_PATH.controlPlace()->id, false);
  model.setEnabled(kRereadButton.place.id, false);
  model.setEnabled(AR_ABOVE_HEIGHT.controlPlace()->id, AUTO_RANGE.value());
  model.setEnabled(RANGE.controlPlace()->id, !AUTO_RANGE.value());
  model.setTopmost(ALWAYS_ON_TOP.value());
}

}  // namespace tfx::ui
