#include "airports/parking_parameters.h"

#include <fmt/format.h>

#include <optional>
#include <string>

#include "airports/stand_file_format.h"
#include "core/log.h"
#include "core/parameters.h"

namespace tfx::airports {
namespace {

constexpr int kDefaultParkingPercentage = 30;

void logValue(std::string_view name, std::string_view value) { writeLog(fmt::format("{:24}: {}", name, value)); }

void takeCheckBox(const pugi::xml_document& learned, CheckBoxParameter& setting) {
  const std::optional<std::string> text = standFileParameter(learned, setting.name());
  if (!text) return;
  setting.setFromText(*text);
  setting.showInControl();
  logValue(setting.name(), setting.valueText());
}

// The stored limit of live aircraft becomes the nearest step of the window's list.
int liveLimitStep(int stored) {
  if (stored == -1) return 500;
  if (stored < 25) return 10;
  if (stored < 50) return 25;
  if (stored < 75) return 50;
  if (stored < 100) return 75;
  return 100;
}

}  // namespace

void applyParkingParameters(const pugi::xml_document& learned, ParkStands& park) {
  takeCheckBox(learned, LEARN_SOFT);
  const std::optional<std::string> maxLive = standFileParameter(learned, MAX_LIVE.name());
  MAX_LIVE.set(maxLive ? liveLimitStep(standFileInt(learned, MAX_LIVE.name(), -1)) : -1);
  logValue(MAX_LIVE.name(), MAX_LIVE.valueText());
  if (standFileParameter(learned, LATERAL_RANGE.name())) {
    LATERAL_RANGE.set(standFileInt(learned, LATERAL_RANGE.name(), LATERAL_RANGE.value()));
    logValue(LATERAL_RANGE.name(), LATERAL_RANGE.valueText());
  }
  park.lateralRangeMeters = LATERAL_RANGE.value() * kMetersPerNm;
  for (CheckBoxParameter* setting : {&AUTO_RANGE, &PARK_FAKE, &WEEK, &PARK_SOFT}) takeCheckBox(learned, *setting);
  parking_percentage.set(standFileInt(learned, parking_percentage.name(), kDefaultParkingPercentage));
  parking_percentage.showInControl();
  logValue(parking_percentage.name(), parking_percentage.valueText());
  takeCheckBox(learned, INITIAL_LOAD_ONLY);
  if (standFileParameter(learned, MAX_FIT.name())) {
    MAX_FIT.set(standFileInt(learned, MAX_FIT.name(), MAX_FIT.value()));
    MAX_FIT.showInControl();
    writeLog(fmt::format("{:24}: {} (max number of half hours, is {} hrs decimal)", MAX_FIT.name(), MAX_FIT.value(),
                         MAX_FIT.value() * 0.5 + 0.5));
  }
}

std::vector<std::pair<std::string, std::string>> parkingParameterValues() {
  const Parameter* const settings[] = {&LEARN_SOFT, &MAX_LIVE, &LATERAL_RANGE, &AUTO_RANGE, &PARK_FAKE,
                                       &WEEK,       &PARK_SOFT, &parking_percentage, &INITIAL_LOAD_ONLY, &MAX_FIT};
  std::vector<std::pair<std::string, std::string>> values;
  for (const Parameter* setting : settings) values.emplace_back(setting->name(), setting->valueText());
  return values;
}

}  // namespace tfx::airports
