#pragma once
// Commands run at once on the calling thread, as the window thread would run
// them: for the request tool, which has no window thread.
#include "ui/window_context.h"
#include "webwindow/web_api.h"

namespace tfx::webwindow {

class InlineWindowPort final : public WindowPort {
 public:
  explicit InlineWindowPort(ui::WindowContext& context) : context_(context) {}

  bool runCommand(const WindowInput& input, std::chrono::milliseconds patience) override;
  void pressCloseButton() override { closePressed_ = true; }
  bool closePressed() const { return closePressed_; }

 private:
  ui::WindowContext& context_;
  bool closePressed_ = false;
};

}  // namespace tfx::webwindow
