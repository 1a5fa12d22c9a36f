#pragma once
// The text edit boxes (install path, blocked callsign, destination) and the
// number boxes, taken when the user presses Enter.
#include <string>
#include <string_view>

#include "ui/window_context.h"

namespace tfx::ui {

// Trimmed and upper-cased, as the boxes take codes.
std::string typedCode(std::string_view text);
// 1 to 8 of A-Z and 0-9.
bool isBlockableCallsign(std::string_view callsign);
// 3 or 4 of A-Z, 0-9 and _.
bool isDestinationCode(std::string_view code);

// False when the control is no edit box.
bool handleEditBox(WindowContext& context, ControlId id);

}  // namespace tfx::ui
