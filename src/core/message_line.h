#pragma once
// The message line at the bottom of the main window: short messages for the
// user (yellow on lime green) and errors (yellow on red) that stay until cleared.
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "core/window_surface.h"

namespace tfx {

inline constexpr Rect kMessageStrip{0, 448, 880, 476};
inline constexpr int kMessageTextX = 3;
inline constexpr int kMessageTextY = 455;
// A message stays this many ticks (about seconds).
inline constexpr int32_t kMessageLifetimeTicks = 25;

class MessageLine {
 public:
  void show(std::string_view text, bool log);
  void showError(std::string_view text);
  // Clears message and error alike (session start, close-down, window commands).
  void clearAll();
  // Once a second: advance the tick counter, drop a message older than its lifetime.
  void tick();

  std::string message() const;
  std::string error() const;
  int32_t shownAtTick() const;
  int32_t tickCounter() const;

  // The window-text lock, shared with the status painting.
  std::recursive_mutex& windowTextLock() const { return lock_; }

 private:
  void paint(Colour brush, std::string_view text);

  mutable std::recursive_mutex lock_;
  std::string message_;
  std::string error_;
  int32_t shownAtTick_ = 0;
  int32_t tickCounter_ = 0;
};

MessageLine& messageLine();

void showMessage(std::string_view text, bool log = true);
void showError(std::string_view text);
void clearMessage();

}  // namespace tfx
