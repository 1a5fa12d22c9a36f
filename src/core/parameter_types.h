#pragma once
// The kinds of settings: a key, a default, bounds for numbers, and for the
// window-bound kinds the control that shows the value. Values are atomics (or
// guarded, for texts) because the window thread writes what other threads read.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "core/control_view.h"

namespace tfx {

// Where a window-bound setting's control sits: its ID and its row (pixels).
struct ControlPlace {
  ControlId id = 0;
  int32_t y = 0;
};

class Parameter {
 public:
  explicit Parameter(std::string_view name) : name_(name) {}
  virtual ~Parameter() = default;
  Parameter(const Parameter&) = delete;
  Parameter& operator=(const Parameter&) = delete;

  const std::string& name() const { return name_; }
  // The value as parameters.xml holds it.
  virtual std::string valueText() const = 0;
  virtual std::string defaultText() const = 0;
  // Takes a value read from parameters.xml by the kind's reading rule.
  virtual void setFromText(std::string_view text) = 0;
  // Window-bound kinds show their value in their control.
  virtual const ControlPlace* controlPlace() const { return nullptr; }
  virtual void showInControl() const {}

 private:
  std::string name_;
};

class BoolParameter : public Parameter {
 public:
  BoolParameter(std::string_view name, bool defaultValue)
      : Parameter(name), default_(defaultValue), value_(defaultValue) {}
  bool value() const { return value_.load(); }
  bool defaultValue() const { return default_; }
  void set(bool value) { value_ = value; }
  std::string valueText() const override { return value() ? "true" : "false"; }
  std::string defaultText() const override { return default_ ? "true" : "false"; }
  // True when the first character is 1, T, t, Y or y.
  void setFromText(std::string_view text) override;

 private:
  bool default_;
  std::atomic<bool> value_;
};

class IntParameter : public Parameter {
 public:
  IntParameter(std::string_view name, int32_t defaultValue, int32_t min, int32_t max)
      : Parameter(name), default_(defaultValue), min_(min), max_(max), value_(defaultValue) {}
  int32_t value() const { return value_.load(); }
  int32_t defaultValue() const { return default_; }
  int32_t min() const { return min_; }
  int32_t max() const { return max_; }
  int32_t clamp(int64_t value) const;
  // Stores the value clamped to the bounds.
  void set(int64_t value) { value_ = clamp(value); }
  std::string valueText() const override { return std::to_string(value()); }
  std::string defaultText() const override { return std::to_string(default_); }
  // Signed 32-bit text (saturating), no number reads as 0; then clamped.
  void setFromText(std::string_view text) override;

 private:
  int32_t default_;
  int32_t min_;
  int32_t max_;
  std::atomic<int32_t> value_;
};

class FloatParameter : public Parameter {
 public:
  FloatParameter(std::string_view name, float defaultValue, float min, float max)
      : Parameter(name), default_(defaultValue), min_(min), max_(max), value_(defaultValue) {}
  float value() const { return value_.load(); }
  float defaultValue() const { return default_; }
  float min() const { return min_; }
  float max() const { return max_; }
  float clamp(float value) const;
  void set(float value) { value_ = clamp(value); }
  std::string valueText() const override;
  std::string defaultText() const override;
  void setFromText(std::string_view text) override;

 private:
  float default_;
  float min_;
  float max_;
  std::atomic<float> value_;
};

class StringParameter : public Parameter {
 public:
  StringParameter(std::string_view name, std::string_view defaultValue)
      : Parameter(name), default_(defaultValue), value_(defaultValue) {}
  std::string value() const;
  const std::string& defaultValue() const { return default_; }
  void set(std::string_view value);
  bool empty() const;
  std::string valueText() const override { return value(); }
  std::string defaultText() const override { return default_; }
  void setFromText(std::string_view text) override { set(text); }

 private:
  std::string default_;
  mutable std::mutex lock_;
  std::string value_;
};

class CheckBoxParameter final : public BoolParameter {
 public:
  CheckBoxParameter(std::string_view name, bool defaultValue, ControlPlace place)
      : BoolParameter(name, defaultValue), place_(place) {}
  const ControlPlace* controlPlace() const override { return &place_; }
  void showInControl() const override;

 private:
  ControlPlace place_;
};

class ComboParameter final : public IntParameter {
 public:
  // The list is ascending; its first and last entries are the bounds.
  ComboParameter(std::string_view name, int32_t defaultValue, std::vector<int32_t> listValues, ControlPlace place)
      : IntParameter(name, defaultValue, listValues.front(), listValues.back()),
        listValues_(std::move(listValues)),
        place_(place) {}
  const std::vector<int32_t>& listValues() const { return listValues_; }
  const ControlPlace* controlPlace() const override { return &place_; }
  void showInControl() const override;

 private:
  std::vector<int32_t> listValues_;
  ControlPlace place_;
};

class EditIntParameter final : public IntParameter {
 public:
  EditIntParameter(std::string_view name, int32_t defaultValue, int32_t min, int32_t max, ControlPlace place)
      : IntParameter(name, defaultValue, min, max), place_(place) {}
  const ControlPlace* controlPlace() const override { return &place_; }
  void showInControl() const override;

 private:
  ControlPlace place_;
};

class EditFloatParameter final : public FloatParameter {
 public:
  EditFloatParameter(std::string_view name, float defaultValue, float min, float max, ControlPlace place)
      : FloatParameter(name, defaultValue, min, max), place_(place) {}
  const ControlPlace* controlPlace() const override { return &place_; }
  void showInControl() const override;

 private:
  ControlPlace place_;
};

class EditTextParameter final : public StringParameter {
 public:
  EditTextParameter(std::string_view name, std::string_view defaultValue, ControlPlace place)
      : StringParameter(name, defaultValue), place_(place) {}
  const ControlPlace* controlPlace() const override { return &place_; }
  void showInControl() const override;

 private:
  ControlPlace place_;
};

// The window's three buttons; not settings, never stored.
struct WindowButton {
  ControlPlace place;
  std::string_view caption;
};

}  // namespace tfx
