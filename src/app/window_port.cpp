#include "app/window_port.h"

#include <future>
#include <memory>

namespace tfx::app {

bool LoopWindowPort::runCommand(const webwindow::WindowInput& input, std::chrono::milliseconds patience) {
  // Shared, because a command that outlasts the patience still completes later.
  auto handled = std::make_shared<std::promise<void>>();
  std::future<void> done = handled->get_future();
  loop_.post({.kind = WindowMessageKind::Command,
              .control = input.id,
              .listValue = input.value,
              .text = input.text,
              .done = [handled] { handled->set_value(); }});
  return done.wait_for(patience) == std::future_status::ready;
}

void LoopWindowPort::pressCloseButton() { loop_.post({WindowMessageKind::CloseRequest}); }

}  // namespace tfx::app
