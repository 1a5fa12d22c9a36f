#pragma once
// The window as the page reads it: title, controls in row order, painted
// texts, the message strip and whether it stays on top.
#include <cstdint>
#include <string>

#include "core/window_surface.h"
#include "ui/window_model.h"

namespace tfx::webwindow {

// "#rrggbb" of a 0x00BBGGRR colour value.
std::string cssColour(Colour colour);

// The window's JSON text; `revision` (when given) receives the revision it shows.
std::string windowJsonText(const ui::WindowModel& model, uint64_t* revision = nullptr);

}  // namespace tfx::webwindow
