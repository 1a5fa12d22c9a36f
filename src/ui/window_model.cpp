#include "ui/window_model.h"

#include <algorithm>

#include "core/message_line.h"
#include "core/parameters.h"

namespace tfx::ui {
namespace {

bool inside(const Rect& area, int x, int y) {
  return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
}

}  // namespace

WindowModel::WindowModel() {
  for (const ControlInfo& info : controlTable()) {
    ControlState state;
    state.info = info;
    for (Parameter* setting : windowBoundParameters()) {
      const ControlPlace* place = setting->controlPlace();
      if (place->id != info.id) continue;
      if (const auto* list = dynamic_cast<const ComboParameter*>(setting)) state.listValues = list->listValues();
    }
    controls_.emplace(info.id, std::move(state));
  }
}

void WindowModel::showCheck(ControlId id, bool checked) {
  std::lock_guard guard(lock_);
  if (auto found = controls_.find(id); found != controls_.end()) found->second.checked = checked;
}

void WindowModel::showListValue(ControlId id, int32_t value) {
  std::lock_guard guard(lock_);
  auto found = controls_.find(id);
  if (found == controls_.end()) return;
  // A list shows only its own entries; a value between entries selects nothing.
  const auto& values = found->second.listValues;
  const bool listed = std::find(values.begin(), values.end(), value) != values.end();
  found->second.selected = listed ? std::optional<int32_t>(value) : std::nullopt;
}

void WindowModel::showEditText(ControlId id, std::string_view text) {
  std::lock_guard guard(lock_);
  if (auto found = controls_.find(id); found != controls_.end()) found->second.text = text;
}

void WindowModel::fillRect(const Rect& area, Colour brush) {
  std::lock_guard guard(lock_);
  if (area.top == kMessageStrip.top && area.bottom == kMessageStrip.bottom) stripBrush_ = brush;
  std::erase_if(painted_, [&](const auto& entry) { return inside(area, entry.first.first, entry.first.second); });
}

void WindowModel::drawText(int x, int y, std::string_view utf8Text, Colour textColour) {
  std::lock_guard guard(lock_);
  painted_[{x, y}] = PaintedText{x, y, std::string(utf8Text), textColour};
}

void WindowModel::invalidate(const Rect&) {
  std::lock_guard guard(lock_);
  ++invalidations_;
}

void WindowModel::setEnabled(ControlId id, bool enabled) {
  std::lock_guard guard(lock_);
  if (auto found = controls_.find(id); found != controls_.end()) found->second.enabled = enabled;
}

std::optional<ControlState> WindowModel::control(ControlId id) const {
  std::lock_guard guard(lock_);
  auto found = controls_.find(id);
  if (found == controls_.end()) return std::nullopt;
  return found->second;
}

Colour WindowModel::stripBrush() const {
  std::lock_guard guard(lock_);
  return stripBrush_;
}

std::string WindowModel::stripText() const {
  std::lock_guard guard(lock_);
  auto found = painted_.find({kMessageTextX, kMessageTextY});
  return found == painted_.end() ? std::string{} : found->second.text;
}

std::vector<PaintedText> WindowModel::paintedTexts() const {
  std::lock_guard guard(lock_);
  std::vector<PaintedText> texts;
  for (const auto& [place, text] : painted_) texts.push_back(text);
  return texts;
}

int WindowModel::invalidations() const {
  std::lock_guard guard(lock_);
  return invalidations_;
}

void WindowModel::setPosition(int x, int y) {
  std::lock_guard guard(lock_);
  x_ = x;
  y_ = y;
}

std::pair<int, int> WindowModel::position() const {
  std::lock_guard guard(lock_);
  return {x_, y_};
}

void WindowModel::setTopmost(bool topmost) {
  std::lock_guard guard(lock_);
  topmost_ = topmost;
}

bool WindowModel::topmost() const {
  std::lock_guard guard(lock_);
  return topmost_;
}

}  // namespace tfx::ui
