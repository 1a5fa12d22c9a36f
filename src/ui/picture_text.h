#pragma once
// A text of a traffic picture row: callsign, type, airline, registration,
// origin, destination. The main program thread copies a thousand rows of them
// twice a second. Texts of up to 15 bytes, which the feed's texts nearly
// always are, stay in the row and are copied without a library call; a longer
// one goes into a string of its own, which keeps its room for the next copy.
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tfx::ui {

class PictureText {
 public:
  PictureText() = default;
  // Implicit, so that rows can be written down with their texts.
  PictureText(std::string_view text) { assign(text); }
  PictureText(const char* text) : PictureText(std::string_view(text)) {}

  void assign(std::string_view text) {
    if (text.size() > kInPlace) {
      assignLonger(text);
      return;
    }
    copyShort(inPlace_.data(), text.data(), text.size());
    size_ = static_cast<uint8_t>(text.size());
  }
  void clear() { size_ = 0; }

  std::string_view view() const {
    return size_ == kLonger ? std::string_view(longer_) : std::string_view(inPlace_.data(), size_);
  }
  bool operator==(std::string_view other) const { return view() == other; }

 private:
  static constexpr size_t kInPlace = 15;
  static constexpr uint8_t kLonger = 0xff;

  // Out of line, so that the short copy is made in place of the call.
  void assignLonger(std::string_view text);

  // Two overlapping words cover every size from one word to two.
  template <typename Word>
  static void copyTwoWords(char* to, const char* from, size_t size) {
    Word head;
    Word tail;
    std::memcpy(&head, from, sizeof(Word));
    std::memcpy(&tail, from + size - sizeof(Word), sizeof(Word));
    std::memcpy(to, &head, sizeof(Word));
    std::memcpy(to + size - sizeof(Word), &tail, sizeof(Word));
  }
  static void copyShort(char* to, const char* from, size_t size) {
    if (size >= sizeof(uint64_t)) {
      copyTwoWords<uint64_t>(to, from, size);
    } else if (size >= sizeof(uint32_t)) {
      copyTwoWords<uint32_t>(to, from, size);
    } else {
      for (size_t index = 0; index < size; ++index) to[index] = from[index];
    }
  }

  std::array<char, kInPlace> inPlace_{};
  uint8_t size_ = 0;
  std::string longer_{};
};

}  // namespace tfx::ui
