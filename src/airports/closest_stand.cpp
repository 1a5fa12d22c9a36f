#include "airports/closest_stand.h"

#include <fmt/format.h>
#include <pugixml.hpp>

#include <filesystem>

#include "airports/stand_file_place.h"
#include "data/download.h"
#include "data/file_remover.h"

namespace tfx::airports {
namespace {

NearestStand nearestIn(const std::filesystem::path& file, const LatLon& position) {
  NearestStand best;
  pugi::xml_document document;
  if (!document.load_file(file.c_str())) return best;
  for (const pugi::xml_node parkpos : document.child("parkpositions").children("parkpos")) {
    const LatLon stand{parkpos.attribute("latitude").as_double(), parkpos.attribute("longitude").as_double()};
    const double distance = gf_distanceNm(position, stand);
    if (distance < best.distanceNm) best = {distance, parkpos.attribute("id").as_string()};
  }
  return best;
}

}  // namespace

NearestStand gf_readDestApfForClosestStand(const Airport& airport, const LatLon& position, std::string_view baseUrl) {
  try {
    const std::string file = gf_findAirportFile(airport.code, baseUrl);
    if (file.empty()) return {};
    if (isLocalStandFile(file)) return nearestIn(file, position);
    const std::filesystem::path fetched = "airport.xml";
    if (!gf_downloadByName(fmt::format("{}{}", kStandFileSiteFolder, file), fetched, baseUrl)) return {};
    const NearestStand best = nearestIn(fetched, position);
    gf_removeFile(fetched);
    return best;
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace tfx::airports
