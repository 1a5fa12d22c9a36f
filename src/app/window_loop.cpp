#include "app/window_loop.h"

namespace tfx::app {

void WindowLoop::post(WindowMessage message) {
  {
    std::lock_guard guard(lock_);
    queue_.push_back(std::move(message));
  }
  posted_.notify_one();
}

void WindowLoop::run() {
  while (true) {
    WindowMessage message{};
    {
      std::unique_lock guard(lock_);
      posted_.wait(guard, [this] { return !queue_.empty(); });
      message = std::move(queue_.front());
      queue_.pop_front();
    }
    switch (message.kind) {
      case WindowMessageKind::Start:
        handlers_.start();
        break;
      case WindowMessageKind::Close:
        handlers_.close();
        return;
      case WindowMessageKind::CloseRequest:
        handlers_.closeRequest();
        break;
      case WindowMessageKind::Command:
        handlers_.command(message);
        break;
      case WindowMessageKind::Paint:
        handlers_.paint();
        break;
    }
  }
}

}  // namespace tfx::app
