#include "webwindow/window_json.h"

#include <fmt/format.h>

#include <map>

#include "core/message_line.h"
#include "core/parameters.h"
#include "runstate/product.h"

namespace tfx::webwindow {
namespace {

using nlohmann::ordered_json;

std::string_view kindName(ui::ControlKind kind) {
  switch (kind) {
    case ui::ControlKind::CheckBox:
      return "check";
    case ui::ControlKind::List:
      return "list";
    case ui::ControlKind::EditBox:
      return "edit";
    case ui::ControlKind::TextField:
      return "text";
    case ui::ControlKind::Button:
      return "button";
  }
  return "button";
}

const std::map<ControlId, std::string>& settingNames() {
  static const std::map<ControlId, std::string> names = [] {
    std::map<ControlId, std::string> byId;
    for (const Parameter* setting : windowBoundParameters()) byId.emplace(setting->controlPlace()->id, setting->name());
    return byId;
  }();
  return names;
}

ordered_json controlJson(const ui::ControlState& control) {
  const auto setting = settingNames().find(control.info.id);
  ordered_json json{{"id", control.info.id},
                    {"kind", kindName(control.info.kind)},
                    {"y", control.info.y},
                    {"label", control.info.label},
                    {"setting", setting == settingNames().end() ? ordered_json() : ordered_json(setting->second)},
                    {"enabled", control.enabled}};
  switch (control.info.kind) {
    case ui::ControlKind::CheckBox:
      json["checked"] = control.checked;
      break;
    case ui::ControlKind::List:
      json["values"] = control.listValues;
      json["selected"] = control.selected ? ordered_json(*control.selected) : ordered_json();
      break;
    case ui::ControlKind::EditBox:
    case ui::ControlKind::TextField:
      json["text"] = control.text;
      break;
    case ui::ControlKind::Button:
      break;
  }
  return json;
}

}  // namespace

std::string cssColour(Colour colour) {
  return fmt::format("#{:02x}{:02x}{:02x}", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

ordered_json windowJson(const ui::WindowModel& model) {
  const uint64_t revision = model.revision();
  ordered_json controls = ordered_json::array();
  for (const ui::ControlState& control : model.controls()) controls.push_back(controlJson(control));
  ordered_json texts = ordered_json::array();
  for (const ui::PaintedText& text : model.paintedTexts()) {
    // The strip's text is the message below.
    if (text.x == kMessageTextX && text.y == kMessageTextY) continue;
    texts.push_back({{"x", text.x}, {"y", text.y}, {"text", text.text}, {"colour", cssColour(text.colour)}});
  }
  const Colour brush = model.stripBrush();
  return {{"revision", revision},
          {"title", fmt::format("{} {}", kProductName, kRunningVersionText)},
          {"controls", std::move(controls)},
          {"texts", std::move(texts)},
          {"message", {{"text", model.stripText()}, {"error", brush == colours::kRed}, {"brush", cssColour(brush)}}},
          {"topmost", model.topmost()}};
}

}  // namespace tfx::webwindow
