#include "realtraffic/weather_decoder.h"

#include <fmt/format.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>

#include "core/log.h"
#include "core/window_surface.h"
#include "realtraffic/feed_state.h"
#include "realtraffic/published_qnh.h"

namespace tfx {
namespace {

// Values above this are inches of mercury x 100.
constexpr int32_t kHighestQnhHpa = 1080;
constexpr int32_t kLowestQnhHpa = 930;
constexpr double kHpaPerHundredthInHg = 0.33865307;

// An optional '-' and the decimal digits up to the first other character.
std::optional<int32_t> qnhFromText(std::string_view text) {
  int32_t value = 0;
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{}) return std::nullopt;
  return value;
}

int32_t qnhFromNumber(const nlohmann::json& value) {
  const double number = value.get<double>();
  const double rounded = std::round(number);
  if (!(rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max())) {
    throw std::out_of_range(fmt::format("QNH {} does not fit", number));
  }
  return static_cast<int32_t>(rounded);
}

bool isEmpty(const nlohmann::json& value) {
  return value.is_null() || ((value.is_object() || value.is_array()) && value.empty());
}

void accept(int32_t qnh, std::string_view datagram, WeatherFeedTargets targets) {
  if (qnh > kHighestQnhHpa) qnh = static_cast<int32_t>(std::lround(qnh * kHpaPerHundredthInHg));
  if (qnh < kLowestQnhHpa || qnh > kHighestQnhHpa) {
    writeLog(fmt::format("? Strange QNH {} found in {}", qnh, datagram));
    return;
  }
  // 1013 is taken again after a reconnection, when the last value was reset to it.
  if (qnh == targets.lastQnh.load() && qnh != kStandardQnh) return;
  targets.lastQnh = qnh;
  int32_t noData = kFeedNoData;
  targets.feedState.compare_exchange_strong(noData, kFeedReceiving);
  publishedQnh() = qnh;
  repaintStatusArea();
}

}  // namespace

void decodeWeatherDatagram(std::string_view datagram, WeatherFeedTargets targets) {
  try {
    const nlohmann::json weather = nlohmann::json::parse(datagram);
    const auto found = weather.is_object() ? weather.find("QNH") : weather.end();
    if (found == weather.end() || isEmpty(*found)) {
      writeLog(fmt::format("no QNH {}", datagram));
      return;
    }
    int32_t qnh = 0;
    if (found->is_string()) {
      const auto& text = found->get_ref<const std::string&>();
      const auto parsed = qnhFromText(text);
      if (!parsed) {
        writeLogError(fmt::format("QNH string parse error: {} in {}", text, datagram));
        return;
      }
      qnh = *parsed;
    } else if (found->is_number()) {
      qnh = qnhFromNumber(*found);
    } else {
      throw std::invalid_argument(fmt::format("type must be number, but is {}", found->type_name()));
    }
    accept(qnh, datagram, targets);
  } catch (const std::exception& error) {
    writeLog(fmt::format("Exception {}, in {}", error.what(), datagram));
  }
}

}  // namespace tfx
