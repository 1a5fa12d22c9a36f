#include "ui/number_boxes.h"

#include <fmt/format.h>

#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/log.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "core/parameters_file.h"

namespace tfx::ui {
namespace {

// Converts as std::stoi / std::stof do and names their failure as the library words it.
template <typename Convert>
std::optional<decltype(std::declval<Convert>()(std::string{}))> convert(const std::string& text,
                                                                        std::string_view function, Convert converter) {
  try {
    return converter(text);
  } catch (const std::invalid_argument&) {
    showMessage(fmt::format("invalid {} argument", function), false);
  } catch (const std::out_of_range&) {
    showMessage(fmt::format("{} argument out of range", function), false);
  }
  return std::nullopt;
}

// Settings that live for one program run are stored in memory only.
void saveUnlessTransient(const Parameter& setting) {
  if (&setting == &parking_percentage || &setting == &MAX_FIT_FL) return;
  saveParameter(setting);
}

}  // namespace

std::string lf_getTextFromId(const WindowModel& model, ControlId id) {
  const std::optional<ControlState> control = model.control(id);
  if (!control) {
    writeLog(fmt::format("GetDlgItem failed for ID {}", id));
    return {};
  }
  return control->text;
}

void lf_processTbInt(const WindowModel& model, EditIntParameter& setting) {
  const std::string text = lf_getTextFromId(model, setting.controlPlace()->id);
  if (text.empty()) return;
  const auto value = convert(text, "stoi", [](const std::string& typed) { return std::stoi(typed); });
  if (!value) return;
  if (*value == setting.value()) {
    showMessage(fmt::format("Same {} value {}, no changes made", setting.name(), *value));
    return;
  }
  setting.set(*value);
  saveUnlessTransient(setting);
  showMessage(fmt::format("The new {} is {}", setting.name(), setting.value()), false);
  setting.showInControl();
}

void lf_processTbFloat(const WindowModel& model, EditFloatParameter& setting) {
  const std::string text = lf_getTextFromId(model, setting.controlPlace()->id);
  if (text.empty()) return;
  const auto value = convert(text, "stof", [](const std::string& typed) {
    // "nan" converts but is no number to store.
    const float converted = std::stof(typed);
    if (std::isnan(converted)) throw std::invalid_argument(typed);
    return converted;
  });
  if (!value) return;
  if (*value == setting.value()) {
    showMessage(fmt::format("Same {} value {:.1f}, no changes made", setting.name(), *value));
    return;
  }
  setting.set(*value);
  saveUnlessTransient(setting);
  showMessage(fmt::format("The new {} is {:.1F}", setting.name(), setting.value()), false);
  setting.showInControl();
}

}  // namespace tfx::ui
