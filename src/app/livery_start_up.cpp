#include "app/livery_start_up.h"

#include <fmt/format.h>

#include "aircraft/livery_scan.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "core/parameters_file.h"

namespace tfx::app {
namespace {

void storeCheckBox(CheckBoxParameter& setting, bool value) {
  setting.set(value);
  saveParameter(setting);
  setting.showInControl();
}

struct OptionalCategory {
  AircraftCategory category;
  CheckBoxParameter& setting;
  std::string_view missing;
};

// Light aircraft, fighter jets and helicopters are shown only when some of
// their liveries are installed.
void applyInstalledCategories(const LiveryCatalogue& catalogue, ui::WindowModel& model) {
  const OptionalCategory categories[] = {
      {AircraftCategory::Light, LIGHT_AIRCRAFT, "light aircraft"},
      {AircraftCategory::HighPerf, HIGH_PERF_AIRCRAFT, "High Perf aircraft"},
      {AircraftCategory::Rotorcraft, HELICOPTERS, "Helicopters"},
  };
  for (const OptionalCategory& entry : categories) {
    const CategoryLiveries& found = catalogue.categories[static_cast<size_t>(entry.category)];
    const bool installed = found.passenger + found.cargo > 0;
    if (!installed && entry.setting.value()) {
      storeCheckBox(entry.setting, false);
      writeLog(fmt::format("{} temporarily switched off because you do not have {} installed", entry.setting.name(),
                           entry.missing));
    }
    model.setEnabled(entry.setting.controlPlace()->id, installed);
  }
}

}  // namespace

void scanOrLoadLiveries(LiveryCatalogue& catalogue, ui::WindowModel& model) {
  if (!std::filesystem::exists(paths::liveriesScanned) && !SCAN_LIVERIES.value()) {
    showMessage(fmt::format("File {} is gone, rescan liveries", paths::liveriesScanned.string()));
    storeCheckBox(SCAN_LIVERIES, true);
  }
  if (SCAN_LIVERIES.value()) {
    showLiveryScanRunning();
    ScanReports reports;
    lf_scanLiveries(settingsScanRequest(), aircraftDatabase(), reports);
    storeCheckBox(SCAN_LIVERIES, false);
  }
  lf_processScannedLiveries(catalogue, paths::liveriesScanned);
  applyInstalledCategories(catalogue, model);
}

}  // namespace tfx::app
