#include "core/hours.h"

#include <fmt/format.h>

#include <charconv>
#include <cstdint>
#include <string>

#include "core/log.h"

namespace tfx {

namespace {

// A list from a damaged or hostile file may hold a million bad pieces: the log
// shows the first few, each with at most this much of the piece and the list.
constexpr int kLoggedBadPieces = 5;
constexpr size_t kShownChars = 64;

std::string shortened(std::string_view text) {
  if (text.size() <= kShownChars) return std::string(text);
  return fmt::format("{}... ({} characters)", text.substr(0, kShownChars), text.size());
}

}  // namespace

HourSet gf_hours2bitset(std::string_view text) {
  HourSet hours;
  int badPieces = 0;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const size_t end = comma == std::string_view::npos ? text.size() : comma;
    const std::string_view piece = text.substr(start, end - start);
    int32_t slot = -1;
    // Trailing characters after the number are ignored, as in "12h".
    const auto [rest, error] = std::from_chars(piece.data(), piece.data() + piece.size(), slot);
    if (error != std::errc{} || slot < 0 || slot > 47) {
      if (++badPieces <= kLoggedBadPieces) {
        writeLogError(fmt::format("{} invalid hour '{}' in {}", "gf_hours2bitset", shortened(piece), shortened(text)));
      }
    } else {
      hours.set(static_cast<size_t>(slot));
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (badPieces > kLoggedBadPieces) {
    writeLogError(fmt::format("{} {} more invalid hours in {}", "gf_hours2bitset", badPieces - kLoggedBadPieces,
                              shortened(text)));
  }
  return hours;
}

}  // namespace tfx
