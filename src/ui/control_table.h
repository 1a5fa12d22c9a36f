#pragma once
// The controls of the main window: their IDs, kinds, rows and labels.
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/control_view.h"

namespace tfx::ui {

enum class ControlKind { CheckBox, List, EditBox, TextField, Button };

struct ControlInfo {
  ControlId id = 0;
  ControlKind kind = ControlKind::CheckBox;
  int32_t y = 0;
  std::string_view label;
};

// Every control of the window, in the order of the window's rows.
const std::vector<ControlInfo>& controlTable();

}  // namespace tfx::ui
