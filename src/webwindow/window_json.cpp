#include "webwindow/window_json.h"

#include <fmt/format.h>

#include <map>

#include "core/message_line.h"
#include "core/parameters.h"
#include "runstate/product.h"
#include "webwindow/json_text.h"

namespace tfx::webwindow {
namespace {

// The window's text is about 8 KB; it grows once.
constexpr size_t kWindowBytes = 12 * 1024;

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

void writeControl(JsonText& json, const ui::ControlState& control) {
  const auto setting = settingNames().find(control.info.id);
  json.beginObject()
      .member("id", control.info.id)
      .member("kind", kindName(control.info.kind))
      .member("y", control.info.y)
      .member("label", control.info.label)
      .key("setting");
  if (setting == settingNames().end()) {
    json.null();
  } else {
    json.value(setting->second);
  }
  json.member("enabled", control.enabled);
  switch (control.info.kind) {
    case ui::ControlKind::CheckBox:
      json.member("checked", control.checked);
      break;
    case ui::ControlKind::List:
      json.key("values").beginArray();
      for (const int32_t value : control.listValues) json.value(value);
      json.endArray().member("selected", control.selected);
      break;
    case ui::ControlKind::EditBox:
    case ui::ControlKind::TextField:
      json.member("text", control.text);
      break;
    case ui::ControlKind::Button:
      break;
  }
  json.endObject();
}

}  // namespace

std::string cssColour(Colour colour) {
  return fmt::format("#{:02x}{:02x}{:02x}", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

std::string windowJsonText(const ui::WindowModel& model, uint64_t* revision) {
  const uint64_t shown = model.revision();
  if (revision != nullptr) *revision = shown;
  JsonText json(kWindowBytes);
  json.beginObject()
      .member("revision", shown)
      .member("title", fmt::format("{} {}", kProductName, kRunningVersionText))
      .key("controls")
      .beginArray();
  for (const ui::ControlState& control : model.controls()) writeControl(json, control);
  json.endArray().key("texts").beginArray();
  for (const ui::PaintedText& text : model.paintedTexts()) {
    // The strip's text is the message below.
    if (text.x == kMessageTextX && text.y == kMessageTextY) continue;
    json.beginObject()
        .member("x", text.x)
        .member("y", text.y)
        .member("text", text.text)
        .member("colour", cssColour(text.colour))
        .endObject();
  }
  const Colour brush = model.stripBrush();
  json.endArray()
      .key("message")
      .beginObject()
      .member("text", model.stripText())
      .member("error", brush == colours::kRed)
      .member("brush", cssColour(brush))
      .endObject()
      .member("topmost", model.topmost())
      .endObject();
  return json.take();
}

}  // namespace tfx::webwindow
