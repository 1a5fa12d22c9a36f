#include "core/utc_time.h"

#include <fmt/format.h>

#include <array>
#include <string_view>

namespace tfx {
namespace {

// Sunday is day 7 here; the month names keep the program's "Okt".
constexpr std::array<std::string_view, 7> kWeekdays = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Okt", "Nov", "Dec"};

std::string_view lookUp(auto& names, int oneBased) {
  return oneBased >= 1 && oneBased <= static_cast<int>(names.size()) ? names[static_cast<size_t>(oneBased - 1)]
                                                                     : std::string_view("???");
}

}  // namespace

std::string formatUtcTime(std::time_t t) {
  std::tm parts{};
  if (gmtime_r(&t, &parts) == nullptr) return "Invalid time";
  const int weekday = parts.tm_wday == 0 ? 7 : parts.tm_wday;
  return fmt::format("{:3} {:3} {:02} {:02}:{:02}:{:02} {:4}", lookUp(kWeekdays, weekday),
                     lookUp(kMonths, parts.tm_mon + 1), parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec,
                     parts.tm_year + 1900);
}

std::string utcTimeNow() { return formatUtcTime(std::time(nullptr)); }

}  // namespace tfx
