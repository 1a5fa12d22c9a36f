#pragma once
// The livery scan: finds the liveries in the scan folders, reads every
// aircraft.cfg in parallel tasks, adds the database's registration facts,
// saves LiveriesScanned.xml and writes the report files.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "aircraft/addon_folders.h"
#include "aircraft/aircraft_database.h"
#include "aircraft/cfg_scan_context.h"
#include "aircraft/livery_data.h"
#include "aircraft/scan_reports.h"

namespace tfx {

inline constexpr size_t kMaxScanFolders = 10;

struct LiveryScanRequest {
  bool automatic = true;
  bool prioritize = false;
  std::vector<std::filesystem::path> manualFolders;  // the non-empty lfolder settings, in order
  AddonFolderSources sources;
};

struct ScannedFolder {
  int32_t index = 0;
  std::filesystem::path path;
  std::optional<size_t> liveries;  // none when the folder was skipped
  std::string skipped;
};

struct ScanProgress {
  size_t folder = 0;
  size_t folders = 0;
  size_t files = 0;
  size_t liveries = 0;
};
using ScanProgressReport = std::function<void(const ScanProgress&)>;

struct LiveryScanResult {
  LiveryList liveries;
  std::vector<ScannedFolder> folders;
  size_t files = 0;
};

// The request the settings make: LIG_AUTOMATIC, LIG_PRIORITIZE, lfolder0-9,
// SIM_INSTALL_PATH and the platform's folders.
LiveryScanRequest settingsScanRequest();

// The folders of the request: the manual ones, or those of the add-on packages.
std::vector<std::filesystem::path> liveryScanFolders(const LiveryScanRequest& request);

// Throws UserErrorException 48 (manual mode without folders), 53 (nothing
// found, manual) or 43 (nothing found, automatic).
LiveryScanResult lf_scanLiveries(const LiveryScanRequest& request, const AircraftDatabase& database,
                                 ScanReports& reports, const ScanProgressReport& progress = {});

// The database's facts for painted registrations replace the livery's own
// (cargo flag, airline, type); each change adds a conversion report line.
void applyRegistrationData(LiveryList& liveries, const AircraftDatabase& database, ScanReports& reports);

// For one airline and type only the liveries of the lowest-numbered folder stay.
void keepLowestFolders(LiveryList& liveries);

}  // namespace tfx
