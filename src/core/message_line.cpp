#include "core/message_line.h"

#include <fmt/format.h>

#include <algorithm>

#include "core/log.h"

namespace tfx {

void MessageLine::show(std::string_view text, bool log) {
  std::lock_guard guard(lock_);
  if (!error_.empty()) return;
  message_ = text;
  shownAtTick_ = text.empty() ? 0 : std::max(tickCounter_, 1);
  if (log && !text.empty()) writeLogQuiet(text);
  paint(colours::kLimeGreen, message_);
}

void MessageLine::showError(std::string_view text) {
  std::lock_guard guard(lock_);
  message_.clear();
  shownAtTick_ = 0;
  error_ = text;
  writeLogQuiet(fmt::format("Error {}", text));
  paint(colours::kRed, error_);
}

void MessageLine::clearAll() {
  std::lock_guard guard(lock_);
  error_.clear();
  message_.clear();
  shownAtTick_ = 0;
  paint(colours::kLimeGreen, "");
}

void MessageLine::tick() {
  std::lock_guard guard(lock_);
  ++tickCounter_;
  if (shownAtTick_ > 0 && tickCounter_ - shownAtTick_ >= kMessageLifetimeTicks) show("", true);
}

std::string MessageLine::message() const {
  std::lock_guard guard(lock_);
  return message_;
}

std::string MessageLine::error() const {
  std::lock_guard guard(lock_);
  return error_;
}

int32_t MessageLine::shownAtTick() const {
  std::lock_guard guard(lock_);
  return shownAtTick_;
}

int32_t MessageLine::tickCounter() const {
  std::lock_guard guard(lock_);
  return tickCounter_;
}

void MessageLine::paint(Colour brush, std::string_view text) {
  WindowSurface* surface = windowSurface();
  if (surface == nullptr) return;
  surface->fillRect(kMessageStrip, brush);
  if (!text.empty()) drawWindowText(kMessageTextX, kMessageTextY, text, colours::kYellow);
  surface->invalidate(kMessageStrip);
}

MessageLine& messageLine() {
  static MessageLine instance;
  return instance;
}

void showMessage(std::string_view text, bool log) { messageLine().show(text, log); }

void showError(std::string_view text) { messageLine().showError(text); }

void clearMessage() { messageLine().show("", true); }

}  // namespace tfx
