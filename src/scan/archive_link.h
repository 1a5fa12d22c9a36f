#pragma once
// Whether the maker's stand archive already holds an add-on airport, and how
// many stands its archived file has.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "scan/scan_log.h"

namespace tfx::scan {

// The archived file for an airport of the given scenery kind, as a link file
// names it ("archive/simaddon/CODE.xml", "archive/thirdparty/PUB/CODE.xml");
// none for kind "unknown" or an airport the aircraft database does not list.
std::optional<std::string> archiveLink(std::string_view kind, std::string_view ident, ScanLog& log);

// The number of stands of an archived file, fetched into `scratch` and
// removed again; 0 (logged) when it cannot be fetched or read.
int archivedStandCount(std::string_view link, const std::filesystem::path& scratch, std::string_view baseUrl,
                       ScanLog& log);

}  // namespace tfx::scan
