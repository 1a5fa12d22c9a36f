#pragma once
// The web window's way into the window thread: commands go in as messages
// and the caller waits for their completion.
#include "app/window_loop.h"
#include "webwindow/web_api.h"

namespace tfx::app {

class LoopWindowPort final : public webwindow::WindowPort {
 public:
  explicit LoopWindowPort(WindowPoster& loop) : loop_(loop) {}

  bool runCommand(const webwindow::WindowInput& input, std::chrono::milliseconds patience) override;
  void pressCloseButton() override;

 private:
  WindowPoster& loop_;
};

}  // namespace tfx::app
