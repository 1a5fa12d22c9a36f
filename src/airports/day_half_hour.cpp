#include "airports/day_half_hour.h"

#include <array>
#include <ctime>

namespace tfx::airports {

DayHalfHour gf_dayAndHalfHour(std::chrono::system_clock::time_point now) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm utc{};
  if (gmtime_r(&seconds, &utc) == nullptr) return {};
  const bool secondHalf = utc.tm_min > 29 || (utc.tm_min == 29 && utc.tm_sec >= 30);
  return {.day = utc.tm_wday == 0 ? 7 : utc.tm_wday, .halfHour = (2 * utc.tm_hour + (secondHalf ? 1 : 0)) % 48};
}

std::string_view dayName(int day) {
  static constexpr std::array<std::string_view, 7> kNames{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  return day >= 1 && day <= 7 ? kNames[static_cast<size_t>(day - 1)] : "???";
}

}  // namespace tfx::airports
