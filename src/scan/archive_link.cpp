#include "scan/archive_link.h"

#include <fmt/format.h>
#include <pugixml.hpp>

#include <algorithm>

#include "aircraft/aircraft_queries.h"
#include "airports/stand_file_place.h"
#include "data/download.h"
#include "data/file_remover.h"

namespace tfx::scan {

std::optional<std::string> archiveLink(std::string_view kind, std::string_view ident, ScanLog& log) {
  if (kind == "unknown") return std::nullopt;
  if (kind == "simaddon") {
    if (!gf_simAddonAirports().contains(ident)) {
      log.line(fmt::format("{} does not exist as simaddon", ident));
      return std::nullopt;
    }
    std::string link = fmt::format("archive/simaddon/{}.xml", ident);
    log.line(fmt::format("{} airport {} linked to {}", kind, ident, link));
    return link;
  }
  for (const ThirdPartyAirports& publisher : gf_thirdPartyAirports()) {
    if (publisher.publisher != kind) continue;
    if (std::find(publisher.airports.begin(), publisher.airports.end(), ident) == publisher.airports.end()) continue;
    std::string link = fmt::format("archive/thirdparty/{}/{}.xml", kind, ident);
    log.line(fmt::format("thirdparty airport {} linked to {}", ident, link));
    return link;
  }
  log.line(fmt::format("thirdparty {} {} does not exist", kind, ident));
  return std::nullopt;
}

int archivedStandCount(std::string_view link, const std::filesystem::path& scratch, std::string_view baseUrl,
                       ScanLog& log) {
  int count = 0;
  pugi::xml_document document;
  if (!gf_downloadByName(fmt::format("{}{}", airports::kStandFileSiteFolder, link), scratch, baseUrl)) {
    log.line(fmt::format("Failed to download {}, its stands count as 0", link));
  } else if (!document.load_file(scratch.c_str())) {
    log.line(fmt::format("Failed to load {}, its stands count as 0", link));
  } else {
    count = static_cast<int>(document.select_nodes("//parkpos").size());
  }
  gf_removeFile(scratch);
  return count;
}

}  // namespace tfx::scan
