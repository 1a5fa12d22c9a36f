// Any bytes as a scenery BGL file: the reader either gives airports or names
// the damage; the stand rules give stands the parking code can use; the
// stand file made of them reads back with the same ids.
#include <pugixml.hpp>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "airports/stand_file_format.h"
#include "airports/stand_file_write.h"
#include "core/geodesy.h"
#include "scan/bgl_reader.h"
#include "scan/bgl_stands.h"

namespace {

using namespace tfx;

void require(bool condition) {
  if (!condition) std::abort();
}

void checkStands(const scan::AirportStands& result) {
  std::set<std::string> ids;
  for (const airports::Stand& stand : result.stands) {
    require(std::isfinite(stand.lat) && std::isfinite(stand.lon));
    require(std::abs(stand.lat) <= 90.0 && std::abs(stand.lon) <= 180.0);
    const double radiusM = stand.radius / airports::kNmPerMeter;
    require(radiusM > 1.0 && radiusM < 200.0);
    require(stand.heading > 0.0 && stand.heading <= kTwoPi);
    require(!stand.id.empty() && ids.insert(stand.id).second);
  }
  const airports::AirportFileInfo info{"fuzz", "unknown", 0};
  const std::string text =
      airports::standFileText({.stands = result.stands, .info = info, .bglPath = "fuzz.bgl"}, airports::StandFileMode::All);
  pugi::xml_document reread;
  require(static_cast<bool>(reread.load_string(text.c_str())));
  const std::vector<airports::Stand> stands = airports::readStandList(reread, 1);
  require(stands.size() == result.stands.size());
  for (size_t index = 0; index < stands.size(); ++index) require(stands[index].id == result.stands[index].id);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  scan::MemoryBglBytes bytes(std::span(reinterpret_cast<const std::byte*>(data), size));
  scan::BglContent content;
  try {
    content = scan::readBgl(bytes);
  } catch (const scan::BglDamage&) {
    return 0;
  }
  scan::ScanLog log(false);
  for (const scan::BglAirport& airport : content.airports) checkStands(scan::airportStands(airport, "fuzz.bgl", log));
  return 0;
}
