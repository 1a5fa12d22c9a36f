#include "aircraft/livery_catalogue.h"

#include <fmt/format.h>

#include "aircraft/liveries_file.h"
#include "aircraft/regcode_set_up.h"
#include "core/log.h"
#include "core/window_surface.h"

namespace tfx {
namespace {

constexpr size_t kCategoryTypesPerLine = 20;

std::atomic<int64_t>& shownCount() {
  // Negative while a scan runs.
  static std::atomic<int64_t> count{-1};
  return count;
}

void logCategoryTypes(const std::vector<std::string>& types) {
  for (size_t first = 0; first < types.size(); first += kCategoryTypesPerLine) {
    const auto begin = types.begin() + static_cast<std::ptrdiff_t>(first);
    const auto end = types.begin() + static_cast<std::ptrdiff_t>(std::min(types.size(), first + kCategoryTypesPerLine));
    writeLog(fmt::format("  {}", fmt::join(begin, end, ",")));
  }
}

void logCategories(LiveryCatalogue& catalogue) {
  for (size_t index = 0; index < kAircraftCategoryCount; ++index) {
    const auto category = static_cast<AircraftCategory>(index);
    const auto [passenger, cargo] = catalogue.tables.categoryLiveries(category);
    catalogue.categories[index] = CategoryLiveries{passenger, cargo};
    if (passenger + cargo == 0) {
      writeLog(fmt::format("Category {}: No livery found", categoryName(category)));
      continue;
    }
    const std::string cargoText =
        cargo > 0 ? fmt::format(" and {} cargo liverie{}", cargo, cargo == 1 ? "" : "s") : std::string();
    writeLog(fmt::format("Category {}: {} pax liverie{}{}", categoryName(category), passenger,
                         passenger == 1 ? "" : "s", cargoText));
    logCategoryTypes(catalogue.tables.categoryTypes(category));
  }
}

}  // namespace

void lf_processScannedLiveries(LiveryCatalogue& catalogue, const std::filesystem::path& savedLiveries) {
  if (catalogue.setUpDone) {
    writeLog("Processing scanned liveries skipped; already done in previous start-up");
    return;
  }
  const LiveryList liveries = readScannedLiveries(savedLiveries);
  showLiveryCount(static_cast<int64_t>(liveries.size()));
  LiveryTables& tables = catalogue.tables;
  tables.build(liveries, catalogue.database);
  catalogue.inlineClashes = lf_processInlineRegcodes(liveries, tables);
  lf_processRegcodeFiles(tables);
  writeLog(fmt::format("{} registration codes", tables.specialLiveries().size()));
  writeLog(fmt::format("{} airlines, {} pax aircraft models and {} cargo aircraft models", tables.airlineCount(),
                       tables.typeCount(kPassenger), tables.typeCount(kCargo)));
  writeLog(fmt::format("{} similar model definitions", tables.similarTypeCount()));
  logCategories(catalogue);
  catalogue.setUpDone = true;
}

void showLiveryCount(int64_t count) {
  shownCount() = count;
  repaintStatusArea();
}

void showLiveryScanRunning() { showLiveryCount(-1); }

std::string liveryCountText() {
  const int64_t count = shownCount();
  return count < 0 ? std::string("# liveries: ...") : fmt::format("# liveries: {}", count);
}

}  // namespace tfx
