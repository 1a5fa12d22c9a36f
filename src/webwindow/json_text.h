#pragma once
// JSON written straight into one string. The window and the traffic picture
// are written many times a second, and building them as JSON values first
// cost more than writing them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tfx::webwindow {

class JsonText {
 public:
  explicit JsonText(size_t expectedBytes = 0) { text_.reserve(expectedBytes); }

  JsonText& beginObject();
  JsonText& endObject();
  JsonText& beginArray();
  JsonText& endArray();
  // The member name of the next value.
  JsonText& key(std::string_view name);

  // Texts from the feed and from files may hold anything: they are escaped,
  // and bytes that are no UTF-8 are replaced.
  JsonText& value(std::string_view text);
  JsonText& value(const char* text) { return value(std::string_view(text)); }
  JsonText& value(bool flag);
  JsonText& value(int64_t number);
  JsonText& value(uint64_t number);
  JsonText& value(int32_t number) { return value(static_cast<int64_t>(number)); }
  JsonText& value(uint32_t number) { return value(static_cast<uint64_t>(number)); }
  // Shortest text that reads back the same; null for what JSON cannot hold.
  JsonText& value(double number);
  JsonText& null();
  template <typename Value>
  JsonText& value(const std::optional<Value>& maybe) {
    return maybe ? value(*maybe) : null();
  }

  template <typename Value>
  JsonText& member(std::string_view name, const Value& memberValue) {
    return key(name).value(memberValue);
  }

  std::string take() { return std::move(text_); }

 private:
  void separate();

  std::string text_;
  bool needsComma_ = false;
};

}  // namespace tfx::webwindow
