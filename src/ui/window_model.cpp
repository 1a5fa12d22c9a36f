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

template <typename Change>
void WindowModel::update(Change change) {
  {
    std::lock_guard guard(lock_);
    change();
    ++revision_;
  }
  changes_.notify_all();
}

void WindowModel::showCheck(ControlId id, bool checked) {
  update([&] {
    if (auto found = controls_.find(id); found != controls_.end()) found->second.checked = checked;
  });
}

void WindowModel::showListValue(ControlId id, int32_t value) {
  update([&] {
    auto found = controls_.find(id);
    if (found == controls_.end()) return;
    // A list shows only its own entries; a value between entries selects nothing.
    const auto& values = found->second.listValues;
    const bool listed = std::find(values.begin(), values.end(), value) != values.end();
    found->second.selected = listed ? std::optional<int32_t>(value) : std::nullopt;
  });
}

void WindowModel::showEditText(ControlId id, std::string_view text) {
  update([&] {
    if (auto found = controls_.find(id); found != controls_.end()) found->second.text = text;
  });
}

void WindowModel::fillRect(const Rect& area, Colour brush) {
  update([&] {
    if (area.top == kMessageStrip.top && area.bottom == kMessageStrip.bottom) stripBrush_ = brush;
    std::erase_if(painted_, [&](const auto& entry) { return inside(area, entry.first.first, entry.first.second); });
  });
}

void WindowModel::drawText(int x, int y, std::string_view utf8Text, Colour textColour) {
  update([&] { painted_[{x, y}] = PaintedText{x, y, std::string(utf8Text), textColour}; });
}

void WindowModel::invalidate(const Rect&) {
  std::function<void()> poster;
  {
    std::lock_guard guard(lock_);
    ++invalidations_;
    // Invalidations before the paint come together in one paint, as the platform's window does.
    if (!paintPending_ && paintPoster_) {
      paintPending_ = true;
      poster = paintPoster_;
    }
  }
  if (poster) poster();
}

void WindowModel::setPaintPoster(std::function<void()> poster) {
  std::lock_guard guard(lock_);
  paintPoster_ = std::move(poster);
  paintPending_ = false;
}

void WindowModel::paintStatusArea(const std::vector<PaintedText>& texts) {
  update([&] {
    paintPending_ = false;
    std::erase_if(painted_, [](const auto& entry) {
      const auto [x, y] = entry.first;
      return inside(kStatusArea, x, y) || inside(kParkingStatusArea, x, y);
    });
    for (const PaintedText& text : texts) painted_[{text.x, text.y}] = text;
  });
}

void WindowModel::setEnabled(ControlId id, bool enabled) {
  update([&] {
    if (auto found = controls_.find(id); found != controls_.end()) found->second.enabled = enabled;
  });
}

std::optional<ControlState> WindowModel::control(ControlId id) const {
  std::lock_guard guard(lock_);
  auto found = controls_.find(id);
  if (found == controls_.end()) return std::nullopt;
  return found->second;
}

std::vector<ControlState> WindowModel::controls() const {
  std::lock_guard guard(lock_);
  std::vector<ControlState> states;
  states.reserve(controls_.size());
  for (const ControlInfo& info : controlTable()) states.push_back(controls_.at(info.id));
  return states;
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
  update([&] {
    x_ = x;
    y_ = y;
  });
}

std::pair<int, int> WindowModel::position() const {
  std::lock_guard guard(lock_);
  return {x_, y_};
}

void WindowModel::setTopmost(bool topmost) {
  update([&] { topmost_ = topmost; });
}

bool WindowModel::topmost() const {
  std::lock_guard guard(lock_);
  return topmost_;
}

uint64_t WindowModel::revision() const {
  std::lock_guard guard(lock_);
  return revision_;
}

uint64_t WindowModel::waitForChange(uint64_t seen, std::chrono::milliseconds patience) const {
  std::unique_lock guard(lock_);
  changes_.wait_for(guard, patience, [&] { return revision_ != seen; });
  return revision_;
}

}  // namespace tfx::ui
