#pragma once
// The status area as texts and colours, from the status values alone.
#include <vector>

#include "core/window_surface.h"
#include "ui/status_values.h"
#include "ui/window_model.h"

namespace tfx::ui {

// The rows of the status area (pixels from the window's top).
inline constexpr int kStatusRows[] = {7, 35, 63, 91};
inline constexpr int kRightColumnX = 642;

// A feed's label colour: receiving lime green, no data yellow, stopped red, not started white.
Colour feedColour(int32_t feedState);

std::vector<PaintedText> status_painter(const StatusValues& values);

}  // namespace tfx::ui
