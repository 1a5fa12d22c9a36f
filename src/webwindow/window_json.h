#pragma once
// The window as the page reads it: title, controls in row order, painted
// texts, the message strip and whether it stays on top.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "core/window_surface.h"
#include "ui/window_model.h"

namespace tfx::webwindow {

// "#rrggbb" of a 0x00BBGGRR colour value.
std::string cssColour(Colour colour);

nlohmann::ordered_json windowJson(const ui::WindowModel& model);

}  // namespace tfx::webwindow
