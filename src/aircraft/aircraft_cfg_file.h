#pragma once
// One aircraft.cfg: its [fltsim.N] sections become liveries, its faults
// report lines. The work on lines needs no disk, so tests and fuzzing feed
// lines directly.
#include <filesystem>
#include <string>
#include <vector>

#include "aircraft/cfg_scan_context.h"
#include "aircraft/livery_data.h"

namespace tfx {

inline constexpr int32_t kMaxFltsimNumber = 10000;

// IVAO packages name the model in their folder and the airline in the title.
bool isIvaoPackagePath(const std::filesystem::path& path);

// The liveries of a file whose lines are given; PATH names it in reports.
LiveryList searchLiveriesInLines(const std::vector<std::string>& lines, const std::filesystem::path& path,
                                 int32_t folderIndex, CfgScanContext& context);

// The task body of the scan: reads the file in whatever encoding it has.
LiveryList lf_searchLiveriesinFile(const std::filesystem::path& path, int32_t folderIndex, CfgScanContext& context);

}  // namespace tfx
