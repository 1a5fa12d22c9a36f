#pragma once
// How a window-bound setting shows its value in its control. The window
// installs a view; until then showing goes nowhere.
#include <cstdint>
#include <string_view>

namespace tfx {

using ControlId = uint16_t;

class ControlView {
 public:
  virtual ~ControlView() = default;
  virtual void showCheck(ControlId id, bool checked) = 0;
  virtual void showListValue(ControlId id, int32_t value) = 0;
  virtual void showEditText(ControlId id, std::string_view text) = 0;
};

void setControlView(ControlView* view);
ControlView* controlView();

}  // namespace tfx
