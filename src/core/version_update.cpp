#include "core/version_update.h"

#include <fmt/format.h>

#include <filesystem>
#include <utility>

#include "core/folders.h"
#include "core/log.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "core/version.h"

namespace tfx {
namespace {

// (at least, gives) pairs, tested from the top.
template <size_t N>
int32_t firstAtLeast(int32_t value, const std::pair<int32_t, int32_t> (&table)[N], int32_t otherwise) {
  for (const auto& [atLeast, gives] : table) {
    if (value >= atLeast) return gives;
  }
  return otherwise;
}

void convert(IntParameter& target, IntParameter& legacy, int32_t (*rule)(int32_t)) {
  target.set(rule(legacy.value()));
  saveParameter(target);
  removeParameter(legacy);
}

void deleteDownloadedInstaller() {
  std::error_code error;
  std::filesystem::remove(paths::installNewVersion, error);
  if (error) writeLog(fmt::format("Failed to remove {}: {}", paths::installNewVersion.string(), error.message()));
}

void requestRescans() {
  for (CheckBoxParameter* flag : {&SCAN_LIVERIES, &SCAN_AIRPORTS}) {
    flag->set(true);
    saveParameter(*flag);
    flag->showInControl();
  }
}

}  // namespace

int32_t maxParkFromCustom(int32_t customMaxPark) {
  if (customMaxPark == -1) return 500;
  if (customMaxPark < 25) return 10;
  if (customMaxPark < 50) return 25;
  return 50;
}

int32_t maxLiveFromLegacy(int32_t maxLive) {
  if (maxLive == -1) return 500;
  if (maxLive < 25) return 10;
  if (maxLive < 50) return 25;
  if (maxLive < 75) return 50;
  if (maxLive < 100) return 75;
  return 100;
}

int32_t nearestRangeValue(int32_t nm) {
  if (nm < 3) return 2;
  if (nm >= 100) return 100;
  if (nm <= 6) return nm;
  static constexpr std::pair<int32_t, int32_t> table[] = {{90, 100}, {73, 80}, {57, 65}, {45, 50}, {38, 40},
                                                          {33, 35},  {28, 30}, {23, 25}, {19, 20}, {17, 18},
                                                          {15, 16},  {13, 14}, {11, 12}, {9, 10}};
  return firstAtLeast(nm, table, 8);
}

int32_t airportRangeFromLegacy(int32_t airportRange) {
  static constexpr std::pair<int32_t, int32_t> table[] = {{27, 30}, {23, 25}, {18, 20}, {13, 15}, {8, 10}};
  return firstAtLeast(airportRange, table, 5);
}

int32_t nearestHeightValue(int32_t feet) {
  static constexpr std::pair<int32_t, int32_t> table[] = {{47000, 48000}, {27000, 36000}, {17000, 18000},
                                                          {15000, 16000}, {13000, 14000}, {11000, 12000},
                                                          {9000, 10000},  {7000, 8000},   {5000, 6000},
                                                          {3000, 4000}};
  return firstAtLeast(feet, table, 2000);
}

void checkVersionUpdate() {
  const ProgramVersion& running = runningVersion();
  const std::string storedText = PROGRAM_VERSION.value();
  if (storedText == PROGRAM_VERSION.defaultValue()) {
    PROGRAM_VERSION.set(running.text());
    saveParameter(PROGRAM_VERSION);
    return;
  }
  // A stored text that is no version counts as older than any real one.
  const ProgramVersion stored = ProgramVersion::parse(storedText).value_or(ProgramVersion{});
  if (stored != running) {
    PROGRAM_VERSION.set(running.text());
    saveParameter(PROGRAM_VERSION);
  }
  if (!(running > stored)) return;

  writeLog(fmt::format("This is a version update from {} -> {}", storedText, running.text()));
  convert(MAX_PARK_SEL, CUSTOM_MAX_PARK, maxParkFromCustom);
  convert(MAX_LIVE_SEL, MAX_LIVE, maxLiveFromLegacy);
  convert(RANGE, LATERAL_RANGE, nearestRangeValue);
  convert(AIRP_RANGE, AIRPORT_RANGE, airportRangeFromLegacy);
  convert(AR_ABOVE_HEIGHT, AUTO_RANGE_ABOVE_HEIGHT, nearestHeightValue);
  convert(AIRP_HEIGHT, AIRPORT_HEIGHT, nearestHeightValue);
  updateTrafficRadius();
  deleteDownloadedInstaller();
  requestRescans();
}

}  // namespace tfx
