#include "sim/user_state.h"

#include <cctype>
#include <chrono>
#include <cmath>

namespace tfx::sim {
namespace {

constexpr double kUnknownPositionDegrees = 0.0001;
constexpr double kTeleportNm = 10.0;
// The dates a simulator clock can show; a day may end in a leap second.
constexpr int64_t kFirstZuluYear = 1;
constexpr int64_t kLastZuluYear = 9999;
constexpr int64_t kLongestYearDays = 366;
constexpr int64_t kSecondsPerDay = 86400;

}  // namespace

bool positionKnown(double lat, double lon) {
  return std::abs(lat) > kUnknownPositionDegrees || std::abs(lon) > kUnknownPositionDegrees;
}

bool isTeleport(const LatLon& previous, const LatLon& now) {
  return positionKnown(previous.lat, previous.lon) && gf_distanceNm(previous, now) > kTeleportNm;
}

std::optional<int64_t> epochTimeFromZulu(int64_t year, int64_t dayOfYear, int64_t secondsOfDay) {
  using namespace std::chrono;
  if (year < kFirstZuluYear || year > kLastZuluYear || dayOfYear < 1 || dayOfYear > kLongestYearDays ||
      secondsOfDay < 0 || secondsOfDay > kSecondsPerDay) {
    return std::nullopt;
  }
  const sys_days newYear{std::chrono::year{static_cast<int>(year)} / January / 1};
  const sys_days day = newYear + days{dayOfYear - 1};
  return day.time_since_epoch().count() * kSecondsPerDay + secondsOfDay;
}

std::string reducedSimulatorName(std::string_view name) {
  std::string reduced;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    // Only ASCII counts: the registered signs of the name are single Windows-1252 bytes.
    if (byte < 0x80 && (std::isalnum(byte) || std::isspace(byte))) reduced.push_back(c);
  }
  return reduced;
}

DeducedModel modelFromTitle(std::string_view title) {
  for (std::string_view model : {"A319", "A320", "A321"})
    if (title.find(std::string("Aerosoft ") + std::string(model)) != std::string_view::npos)
      return {std::string(model), false};
  if (title.find("camerapod") != std::string_view::npos || title.find("Crew Vessel") != std::string_view::npos)
    return {"", true};
  return {};
}

}  // namespace tfx::sim
