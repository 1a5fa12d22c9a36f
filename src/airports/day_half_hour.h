#pragma once
// The half-hour of the week by which stand occupancies are kept.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tfx::airports {

struct DayHalfHour {
  int day = -1;  // 1 Monday .. 7 Sunday; -1 when the time cannot be converted
  int halfHour = 0;  // 0..47; minute 29 with 30 seconds or more counts to the next
  bool operator==(const DayHalfHour&) const = default;
};

// The day and half-hour (UTC) of a moment of the clock the caller runs on: the
// program's UTC clock, or the virtual clock of a test or the lab.
DayHalfHour gf_dayAndHalfHour(std::chrono::system_clock::time_point now);

// The clock static parking goes by: the program's UTC clock, or the
// simulator's zulu time (epoch seconds) while that time is sent to the feed.
std::chrono::system_clock::time_point parkingClock(std::chrono::system_clock::time_point programUtc,
                                                   std::optional<int64_t> simulatorEpochSeconds);

// "hh:mm:ss" of the moment in UTC, as log lines start.
std::string timeOfDayUtc(std::chrono::system_clock::time_point now);

// "Mon" .. "Sun"; "???" for anything else.
std::string_view dayName(int day);

// A half-hour as the messages show it: hours h x 0.5 + 0.5.
inline double halfHourAsHours(int halfHour) { return halfHour * 0.5 + 0.5; }

}  // namespace tfx::airports
