#include "webwindow/web_api.h"

#include <fmt/format.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <variant>

#include "core/log.h"
#include "webwindow/page_assets.h"
#include "webwindow/traffic_json.h"
#include "webwindow/window_json.h"

namespace tfx::webwindow {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

constexpr std::chrono::minutes kRefusalLogInterval{1};

WebResponse jsonAnswer(int status, const ordered_json& body) {
  return {status, "application/json", body.dump(-1, ' ', false, json::error_handler_t::replace)};
}

WebResponse error(int status, const std::string& text) { return jsonAnswer(status, {{"error", text}}); }

bool hasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char character) {
    const auto code = static_cast<unsigned char>(character);
    return code < 0x20 || code == 0x7f;
  });
}

// "application/json", with or without parameters such as the charset.
bool isJson(std::string_view contentType) {
  const std::string_view type = contentType.substr(0, contentType.find(';'));
  return type == "application/json";
}

// The command's members checked: a click, a pick or a typed text.
std::variant<WindowInput, std::string> parseCommand(const std::string& body) {
  const json document = json::parse(body, nullptr, false);
  if (document.is_discarded() || !document.is_object()) return std::string("bad JSON");
  WindowInput input;
  if (!document.contains("id") || !document["id"].is_number_integer()) return std::string("id must be a whole number");
  const auto id = document["id"].get<int64_t>();
  if (id < 0 || id > 0xFFFF) return std::string("id must be a whole number");
  input.id = static_cast<ControlId>(id);
  for (const auto& [name, value] : document.items()) {
    if (name == "id") continue;
    if (name == "value") {
      if (!value.is_number_integer()) return std::string("value must be a whole number");
      input.value = value.get<int32_t>();
    } else if (name == "text") {
      if (!value.is_string()) return std::string("text must be a string");
      input.text = value.get<std::string>();
      if (input.text->size() > kMaxTypedBytes) return std::string("text too long");
      if (hasControlCharacter(*input.text)) return std::string("text with control characters");
    } else {
      return fmt::format("unknown member {}", name);
    }
  }
  if (input.value && input.text) return std::string("value and text together");
  return input;
}

// What the control takes: a click, a list entry or a text.
std::optional<std::string> unfitInput(const ui::ControlState& control, const WindowInput& input) {
  switch (control.info.kind) {
    case ui::ControlKind::List:
      if (!input.value) return "a list needs a value";
      if (std::find(control.listValues.begin(), control.listValues.end(), *input.value) == control.listValues.end()) {
        return fmt::format("{} is no entry of the list", *input.value);
      }
      return std::nullopt;
    case ui::ControlKind::EditBox:
    case ui::ControlKind::TextField:
      if (!input.text) return "an edit box needs a text";
      return std::nullopt;
    case ui::ControlKind::CheckBox:
    case ui::ControlKind::Button:
      if (input.value || input.text) return "a check box or button takes a click only";
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> WebApi::guardRefusal(const WebRequest& request) const {
  const std::string port = std::to_string(port_);
  const bool loopbackHost =
      request.host == "127.0.0.1:" + port || request.host == "localhost:" + port || request.host == "[::1]:" + port;
  if (!lan_ && !loopbackHost) return fmt::format("host '{}'", request.host);
  if (request.host.empty()) return std::string("no host");
  if (request.origin && *request.origin != "http://" + request.host) {
    return fmt::format("origin '{}'", *request.origin);
  }
  return std::nullopt;
}

WebResponse WebApi::refuse(const WebRequest& request, int status, const std::string& reason) {
  {
    // One line a minute per reason at most, so a page that keeps asking cannot fill the log.
    std::lock_guard guard(refusalLock_);
    const auto now = std::chrono::steady_clock::now();
    auto [entry, first] = refusalsLogged_.try_emplace(reason, now);
    if (first || now - entry->second >= kRefusalLogInterval) {
      entry->second = now;
      writeLog(fmt::format("===> Web window: {} {} refused: {}", request.method, request.path, reason));
    }
  }
  return error(status, reason);
}

WebResponse WebApi::handle(const WebRequest& request) {
  if (const auto reason = guardRefusal(request)) return refuse(request, 403, *reason);
  const bool get = request.method == "GET";
  if (get && request.path == "/api/window") return {200, "application/json", windowJsonText(model_)};
  if (get && request.path == "/api/traffic") return {200, "application/json", trafficJsonText(picture_)};
  if (get && request.path == "/api/events") return {200, "text/event-stream", "", true};
  if (request.method == "POST" && request.path == "/api/command") return command(request);
  if (request.method == "POST" && request.path == "/api/close") {
    window_.pressCloseButton();
    return jsonAnswer(202, {{"closing", true}});
  }
  if (get) {
    if (const PageAsset* asset = findPageAsset(request.path))
      return {200, std::string(asset->contentType), std::string(asset->content)};
  }
  return error(404, "not found");
}

WebResponse WebApi::command(const WebRequest& request) {
  if (request.body.size() > kMaxCommandBytes) return refuse(request, 413, "command too large");
  if (!isJson(request.contentType)) return refuse(request, 415, "not JSON");
  const auto parsed = parseCommand(request.body);
  if (const auto* reason = std::get_if<std::string>(&parsed)) return refuse(request, 400, *reason);
  const WindowInput& input = std::get<WindowInput>(parsed);
  const std::optional<ui::ControlState> control = model_.control(input.id);
  if (!control) return refuse(request, 404, fmt::format("unknown control {}", input.id));
  if (const auto reason = unfitInput(*control, input)) return refuse(request, 400, *reason);
  if (!control->enabled) return refuse(request, 409, fmt::format("control {} is disabled", input.id));
  if (!window_.runCommand(input, kCommandPatience)) return refuse(request, 503, "the window did not answer in time");
  return {200, "application/json", windowJsonText(model_)};
}

}  // namespace tfx::webwindow
