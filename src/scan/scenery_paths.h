#pragma once
// Where the installed add-on sceneries lie: the simulator's scenery.cfg and
// scenery_add-ons.xml, or the afolder settings.
#include <filesystem>
#include <string_view>
#include <vector>

#include "scan/scan_log.h"

namespace tfx::scan {

// Whether a path (already in this platform's form) lies in the simulator's
// stock scenery.
bool isStockScenery(std::string_view path);

// A folder as written in a simulator file or a setting: absolute paths and
// drive paths stay as given, others lie below SIM_INSTALL_PATH.
std::filesystem::path sceneryFolder(std::string_view value);

// The folder that holds the simulator's scenery.cfg and scenery_add-ons.xml.
std::filesystem::path simulatorConfigFolder();

// The active, existing, non-stock areas of a scenery.cfg, each once.
void readSceneryCfg(const std::filesystem::path& file, std::vector<std::filesystem::path>& paths, ScanLog& log);
// Every <Path> of a scenery_add-ons.xml.
void readSceneryAddOns(const std::filesystem::path& file, std::vector<std::filesystem::path>& paths, ScanLog& log);

// All scenery paths the scan walks. With AFG_AUTOMATIC off they come from the
// afolder settings and none throws UserErrorException 49.
std::vector<std::filesystem::path> collectSceneryPaths(ScanLog& log);

}  // namespace tfx::scan
