#pragma once
// One [fltsim.N] section of an aircraft.cfg turned into a livery, or into
// report lines that say why not.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "aircraft/cfg_scan_context.h"
#include "aircraft/livery_data.h"

namespace tfx {

// LINES are the section's lines after its header.
std::optional<LiveryData> lf_procesFltSimSection(std::span<const std::string> lines, std::string_view header,
                                                 const CfgFileFacts& file, CfgScanContext& context);

}  // namespace tfx
