#include "core/hours.h"

#include <fmt/format.h>

#include <charconv>
#include <cstdint>

#include "core/log.h"

namespace tfx {

HourSet gf_hours2bitset(std::string_view text) {
  HourSet hours;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const size_t end = comma == std::string_view::npos ? text.size() : comma;
    const std::string_view piece = text.substr(start, end - start);
    int32_t slot = -1;
    // Trailing characters after the number are ignored, as in "12h".
    const auto [rest, error] = std::from_chars(piece.data(), piece.data() + piece.size(), slot);
    if (error != std::errc{} || slot < 0 || slot > 47) {
      writeLogError(fmt::format("{} invalid hour '{}' in {}", "gf_hours2bitset", piece, text));
    } else {
      hours.set(static_cast<size_t>(slot));
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return hours;
}

}  // namespace tfx
