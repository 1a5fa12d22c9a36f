#pragma once
// The window thread's event loop: the private start and close messages, the
// close button and the controls' commands, handled one at a time in order.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "core/control_view.h"

namespace tfx::app {

enum class WindowMessageKind {
  Start,         // the program's private start message (0x8001): start a main program thread
  Close,         // the program's private close message (0x8002): store the position, end the loop
  CloseRequest,  // the close button (SIGINT and SIGTERM count as it)
  Command,       // a control was used
  Paint,         // the status area is to be painted anew (posted once for any number of invalidations)
};

struct WindowMessage {
  WindowMessageKind kind;
  ControlId control = 0;
  // A command's input, put into the control as the user would: the list entry picked, the text typed.
  std::optional<int32_t> listValue{};
  std::optional<std::string> text{};
  // Called once the handler ran.
  std::function<void()> done{};
};

inline constexpr uint32_t kStartMessageValue = 0x8001;
inline constexpr uint32_t kCloseMessageValue = 0x8002;

// Posting is the only way other threads reach the window thread.
class WindowPoster {
 public:
  virtual ~WindowPoster() = default;
  virtual void post(WindowMessage message) = 0;
};

class WindowLoop final : public WindowPoster {
 public:
  struct Handlers {
    std::function<void()> start;
    std::function<void()> close;
    std::function<void()> closeRequest;
    std::function<void(const WindowMessage&)> command;
    std::function<void()> paint;
  };

  explicit WindowLoop(Handlers handlers) : handlers_(std::move(handlers)) {}

  void post(WindowMessage message) override;
  // Handles messages until the close message has been handled.
  void run();

 private:
  Handlers handlers_;
  std::mutex lock_;
  std::condition_variable posted_;
  std::deque<WindowMessage> queue_;
};

}  // namespace tfx::app
