#include "webwindow/inline_window_port.h"

#include "ui/window_commands.h"

namespace tfx::webwindow {

bool InlineWindowPort::runCommand(const WindowInput& input, std::chrono::milliseconds) {
  ui::runControlInput(context_, input.id, input.value, input.text);
  return true;
}

}  // namespace tfx::webwindow
