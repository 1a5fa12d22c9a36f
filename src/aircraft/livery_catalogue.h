#pragma once
// The installed liveries as matching sees them, set up once per program run
// from the scan or from LiveriesScanned.xml; lives until the program ends.
#include <array>
#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "aircraft/aircraft_database.h"
#include "aircraft/livery_matcher.h"
#include "aircraft/livery_tables.h"

namespace tfx {

struct CategoryLiveries {
  size_t passenger = 0;
  size_t cargo = 0;
};

struct LiveryCatalogue {
  explicit LiveryCatalogue(const AircraftDatabase& database) : database(database), matcher(tables, database) {}
  LiveryCatalogue(const LiveryCatalogue&) = delete;
  LiveryCatalogue& operator=(const LiveryCatalogue&) = delete;

  const AircraftDatabase& database;
  LiveryTables tables;
  LiveryMatching matcher;
  bool setUpDone = false;
  std::vector<std::string> inlineClashes;
  std::array<CategoryLiveries, kAircraftCategoryCount> categories{};
};

// The set-up: reads the saved liveries, builds the tables, ties the
// registration codes and counts the liveries of each category. A second
// call in the same program run only logs that it was done before.
void lf_processScannedLiveries(LiveryCatalogue& catalogue, const std::filesystem::path& savedLiveries);

// The livery count of the status area: "# liveries: ..." while scanning.
void showLiveryCount(int64_t count);
void showLiveryScanRunning();
std::string liveryCountText();

}  // namespace tfx
