#include "scan/bgl_file_scan.h"

#include <fmt/format.h>

#include "scan/bgl_reader.h"
#include "scan/bgl_stands.h"
#include "scan/bgl_values.h"

namespace tfx::scan {

BglFileResult lf_processBGLfile(const std::filesystem::path& bgl, ScanLog& log) {
  BglFileResult result;
  const std::string path = bgl.string();
  try {
    FileBglBytes bytes(bgl);
    BglContent content = readBgl(bytes);
    result.scenery = content.scenery;
    for (BglAirport& airport : content.airports) {
      if (!airport.identValid) continue;
      AirportStands stands = airportStands(airport, path, log);
      result.airports.push_back({std::move(airport.ident), std::move(airport.name), altitudeFeet(airport.elevationMm),
                                 std::move(stands.stands), stands.helipadCount, path});
    }
  } catch (const std::exception& error) {
    result.damage = error.what();
    result.airports.clear();
    log.error(fmt::format("Exception in lf_processBGLfile: {}: {}", path, error.what()));
  }
  return result;
}

}  // namespace tfx::scan
