#include "webwindow/json_text.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <array>
#include <nlohmann/json.hpp>

namespace tfx::webwindow {
namespace {

// Printable ASCII without the two characters JSON escapes.
bool plain(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char character) {
    const auto code = static_cast<unsigned char>(character);
    return code >= 0x20 && code < 0x7f && code != '"' && code != '\\';
  });
}

// Formats a number on the stack and appends it in one piece: appending
// through an iterator goes character by character.
template <typename Number>
void appendNumber(std::string& text, Number number) {
  std::array<char, 40> digits{};
  const auto written = fmt::format_to_n(digits.data(), digits.size(), "{}", number);
  text.append(digits.data(), std::min(written.size, digits.size()));
}

}  // namespace

void JsonText::separate() {
  if (needsComma_) text_ += ',';
}

JsonText& JsonText::beginObject() {
  separate();
  text_ += '{';
  needsComma_ = false;
  return *this;
}

JsonText& JsonText::endObject() {
  text_ += '}';
  needsComma_ = true;
  return *this;
}

JsonText& JsonText::beginArray() {
  separate();
  text_ += '[';
  needsComma_ = false;
  return *this;
}

JsonText& JsonText::endArray() {
  text_ += ']';
  needsComma_ = true;
  return *this;
}

JsonText& JsonText::key(std::string_view name) {
  value(name);
  text_ += ':';
  needsComma_ = false;
  return *this;
}

JsonText& JsonText::value(std::string_view text) {
  separate();
  needsComma_ = true;
  if (plain(text)) {
    text_.reserve(text_.size() + text.size() + 2);
    text_.push_back('"');
    text_.append(text);
    text_.push_back('"');
    return *this;
  }
  // The rare text with escapes or other bytes goes the library's careful way.
  text_ += nlohmann::json(std::string(text)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  return *this;
}

JsonText& JsonText::value(bool flag) {
  separate();
  needsComma_ = true;
  text_ += flag ? "true" : "false";
  return *this;
}

JsonText& JsonText::value(int64_t number) {
  separate();
  needsComma_ = true;
  appendNumber(text_, number);
  return *this;
}

JsonText& JsonText::value(uint64_t number) {
  separate();
  needsComma_ = true;
  appendNumber(text_, number);
  return *this;
}

JsonText& JsonText::value(double number) {
  if (!std::isfinite(number)) return null();
  separate();
  needsComma_ = true;
  appendNumber(text_, number);
  return *this;
}

JsonText& JsonText::null() {
  separate();
  needsComma_ = true;
  text_ += "null";
  return *this;
}

}  // namespace tfx::webwindow
