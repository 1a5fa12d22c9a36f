#pragma once
// The add-on airport scan: every scenery BGL file of the installed add-on
// sceneries to one generated stand file per airport in airports/my_ORBX or
// airports/my_thirdparty.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "data/download_site.h"

namespace tfx::scan {

struct GeneratedFile {
  std::string ident;
  std::string file;  // relative to the install folder
  int positions = 0;
  int helipads = 0;
  std::string publisher;
  std::string bgl;
};

struct LinkedFile {
  std::string ident;
  std::string file;    // the link file, relative to the install folder
  std::string target;  // the archived file it names
};

struct DamagedFile {
  std::string file;
  std::string reason;
};

struct AddonScanResult {
  std::vector<std::filesystem::path> sceneryPaths;
  std::vector<std::string> bglFiles;  // handed to lf_processBGLfile, in scan order
  std::vector<std::string> notScenery;
  std::vector<DamagedFile> damaged;
  int airports = 0;  // airport records with a valid ident
  std::vector<GeneratedFile> generated;
  std::vector<LinkedFile> linked;
  std::vector<std::string> tblo;  // files copied for offline learning
  bool complete = false;  // ran to its end; otherwise the earlier files stay
  std::string error;      // why it stopped, when it failed
};

// The whole scan in the current install folder, without touching the
// settings. Throws UserErrorException 49 when no add-on folder is set.
AddonScanResult scanAddonAirports(std::string_view baseUrl = kDownloadBaseUrl);

// The scan as start-up runs it: afterwards SCAN_AIRPORTS is switched off and
// saved, unless the scan was stopped or failed.
AddonScanResult lf_scanAirports(std::string_view baseUrl = kDownloadBaseUrl);

}  // namespace tfx::scan
