#pragma once
// What reading one aircraft.cfg needs besides its lines: the database, the
// titles not to use, the shared reports and a way to ask whether a file
// named in the cfg exists (the disk, or a test's own answer).
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "aircraft/aircraft_database.h"
#include "aircraft/scan_reports.h"

namespace tfx {

// Whether entry NAME exists in FOLDER as the simulator would find it.
using FileExists = std::function<bool(const std::filesystem::path& folder, std::string_view name)>;

struct TitleHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};
using TitleSet = std::unordered_set<std::string, TitleHash, std::equal_to<>>;

struct CfgScanContext {
  const AircraftDatabase& database;
  const TitleSet& dontUseTitles;
  ScanReports& reports;
  FileExists exists;
};

// The facts of one aircraft.cfg that all its sections share.
struct CfgFileFacts {
  std::filesystem::path path;
  std::string type;  // atc_model after fixes (standard), or from the path (IVAO)
  int32_t folderIndex = 0;
  bool ivao = false;
};

}  // namespace tfx
