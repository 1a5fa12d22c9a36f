#include "airports/day_half_hour.h"

#include <fmt/chrono.h>
#include <fmt/format.h>

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

std::chrono::system_clock::time_point parkingClock(std::chrono::system_clock::time_point programUtc,
                                                   std::optional<int64_t> simulatorEpochSeconds) {
  // The apron shows the half-hour of the week the feed's traffic belongs to:
  // while the simulator's time is sent to the feed, that is the simulator's.
  if (simulatorEpochSeconds) return std::chrono::system_clock::time_point(std::chrono::seconds(*simulatorEpochSeconds));
  return programUtc;
}

std::string timeOfDayUtc(std::chrono::system_clock::time_point now) {
  return fmt::format("{:%H:%M:%S}", fmt::gmtime(std::chrono::system_clock::to_time_t(now)));
}

std::string_view dayName(int day) {
  static constexpr std::array<std::string_view, 7> kNames{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  return day >= 1 && day <= 7 ? kNames[static_cast<size_t>(day - 1)] : "???";
}

}  // namespace tfx::airports
