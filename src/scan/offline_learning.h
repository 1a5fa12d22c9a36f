#pragma once
// Generated stand files of airports whose stock counterpart has been learned
// can be learned offline by the maker: they are gathered in TBLO to be sent.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "scan/scan_log.h"

namespace tfx::scan {

inline constexpr std::string_view kSupportAddress = "support@aeroshadow-p3d.net";

// Checks every generated file of one folder against the stock archive and
// copies the suitable ones into TBLO; `kindName` is "ORBX" or "third party"
// for the closing message. Returns the copied files' names.
std::vector<std::string> offlineLearning(const std::filesystem::path& folder, std::string_view kindName,
                                         std::string_view baseUrl, ScanLog& log);

}  // namespace tfx::scan
