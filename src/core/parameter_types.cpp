#include "core/parameter_types.h"

#include <fmt/format.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>
#include <limits>

#include "core/xml_values.h"

namespace tfx {
namespace {

std::atomic<ControlView*> installedView{nullptr};

std::string_view skipBlanks(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  return text;
}

// Leading blanks and an optional sign, then digits; out-of-range text
// saturates to the 32-bit limits and text without digits reads as 0.
int64_t parseSaturatedInt32(std::string_view text) {
  text = skipBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    return !text.empty() && text.front() == '-' ? std::numeric_limits<int32_t>::min()
                                                : std::numeric_limits<int32_t>::max();
  }
  if (error != std::errc{}) return 0;
  return std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
}

}  // namespace

void setControlView(ControlView* view) { installedView = view; }

ControlView* controlView() { return installedView.load(); }

void BoolParameter::setFromText(std::string_view text) {
  set(xmlBool(text));
}

int32_t IntParameter::clamp(int64_t value) const {
  return static_cast<int32_t>(std::clamp<int64_t>(value, min_, max_));
}

void IntParameter::setFromText(std::string_view text) { set(parseSaturatedInt32(text)); }

float FloatParameter::clamp(float value) const { return std::clamp(value, min_, max_); }

std::string FloatParameter::valueText() const { return fmt::format("{}", value()); }

std::string FloatParameter::defaultText() const { return fmt::format("{}", default_); }

void FloatParameter::setFromText(std::string_view text) {
  text = skipBlanks(text);
  float value = 0.0f;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  set(error == std::errc{} ? value : 0.0f);
}

std::string StringParameter::value() const {
  std::lock_guard guard(lock_);
  return value_;
}

void StringParameter::set(std::string_view value) {
  std::lock_guard guard(lock_);
  value_ = value;
}

bool StringParameter::empty() const {
  std::lock_guard guard(lock_);
  return value_.empty();
}

void CheckBoxParameter::showInControl() const {
  if (ControlView* view = controlView()) view->showCheck(place_.id, value());
}

void ComboParameter::showInControl() const {
  if (ControlView* view = controlView()) view->showListValue(place_.id, value());
}

void EditIntParameter::showInControl() const {
  if (ControlView* view = controlView()) view->showEditText(place_.id, valueText());
}

void EditFloatParameter::showInControl() const {
  // A float box shows one decimal, so "24.0" reads as a fraction setting.
  if (ControlView* view = controlView()) view->showEditText(place_.id, fmt::format("{:.1f}", value()));
}

void EditTextParameter::showInControl() const {
  if (ControlView* view = controlView()) view->showEditText(place_.id, value());
}

}  // namespace tfx
