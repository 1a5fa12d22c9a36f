#pragma once
// The window's command handling: the buttons, the lists and the dispatch of
// a control's command to its handler, and the controls as the window creates them.
#include "ui/window_context.h"

namespace tfx::ui {

// Tries the buttons (and the edit boxes, whose Enter acts as their button),
// the check boxes and the lists; when none took the command the status area is repainted.
void lf_HandleWMCOMMAND(WindowContext& context, ControlId id);

bool handleButton(WindowContext& context, ControlId id);
bool handleList(WindowContext& context, ControlId id);

// Every control shows its setting; the install-path field and "Re-read" wait
// for the start-up, "Ah:" follows "Auto range".
void createWindowControls(WindowModel& model);

}  // namespace tfx::ui
