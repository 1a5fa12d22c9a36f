#pragma once
// The main window as data: every control's state and everything painted into
// it. The program changes it exactly as it would change the window; a front
// end shows it. Any thread may change it; each access takes the model's lock.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/control_view.h"
#include "core/window_surface.h"
#include "ui/control_table.h"

namespace tfx::ui {

struct ControlState {
  ControlInfo info;
  bool enabled = true;
  bool checked = false;
  std::vector<int32_t> listValues;
  std::optional<int32_t> selected;
  std::string text;
};

struct PaintedText {
  int x = 0;
  int y = 0;
  std::string text;
  Colour colour = 0;
};

class WindowModel final : public ControlView, public WindowSurface {
 public:
  WindowModel();

  void showCheck(ControlId id, bool checked) override;
  void showListValue(ControlId id, int32_t value) override;
  void showEditText(ControlId id, std::string_view text) override;

  void fillRect(const Rect& area, Colour brush) override;
  void drawText(int x, int y, std::string_view utf8Text, Colour textColour) override;
  void invalidate(const Rect& area) override;

  void setEnabled(ControlId id, bool enabled);
  std::optional<ControlState> control(ControlId id) const;
  // Every control in the order of the window's rows.
  std::vector<ControlState> controls() const;

  // The message strip as last painted: its brush and its text.
  Colour stripBrush() const;
  std::string stripText() const;
  std::vector<PaintedText> paintedTexts() const;
  int invalidations() const;

  void setPosition(int x, int y);
  std::pair<int, int> position() const;
  void setTopmost(bool topmost);
  bool topmost() const;

  // Every change moves the revision on; readers wait for the next one.
  uint64_t revision() const;
  uint64_t waitForChange(uint64_t seen, std::chrono::milliseconds patience) const;

  // Invalidating asks the window thread to paint, once until it has painted:
  // the poster sends it the paint message.
  void setPaintPoster(std::function<void()> poster);
  // The window thread's paint: the texts of the status area and the parking's rows replace the ones before.
  void paintStatusArea(const std::vector<PaintedText>& texts);

 private:
  // Makes the change under the lock, moves the revision on and wakes the readers.
  template <typename Change>
  void update(Change change);

  mutable std::mutex lock_;
  std::map<ControlId, ControlState> controls_;
  std::map<std::pair<int, int>, PaintedText> painted_;
  Colour stripBrush_ = colours::kLimeGreen;
  int invalidations_ = 0;
  int x_ = 0;
  int y_ = 0;
  bool topmost_ = false;
  uint64_t revision_ = 0;
  mutable std::condition_variable changes_;
  std::function<void()> paintPoster_;
  bool paintPending_ = false;
};

}  // namespace tfx::ui
