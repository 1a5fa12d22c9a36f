#pragma once
// The window's command handling: the buttons, the lists and the dispatch of
// a control's command to its handler, and the controls as the window creates them.
#include <optional>
#include <string>

#include "ui/window_context.h"

namespace tfx::ui {

// Tries the buttons (and the edit boxes, whose Enter acts as their button),
// the check boxes and the lists; when none took the command the status area is repainted.
void lf_HandleWMCOMMAND(WindowContext& context, ControlId id);

// The user's input put into the control first (a list entry picked, a text
// typed), then the command handled as the window handles it.
void runControlInput(WindowContext& context, ControlId id, const std::optional<int32_t>& listValue,
                     const std::optional<std::string>& text);

bool handleButton(WindowContext& context, ControlId id);
bool handleList(WindowContext& context, ControlId id);

// Every control shows its setting; the install-path field and "Re-read" wait
// for the start-up, "Ah:" and "Radius:" follow "Auto range".
void createWindowControls(WindowModel& model);

}  // namespace tfx::ui
