#include "stands_park.h"

#include <fmt/format.h>

#include <filesystem>
#include <stdexcept>

#include "airports/airport_database.h"
#include "airports/read_apf.h"
#include "airports/stand_file_place.h"
#include "core/folders.h"

namespace tfx::tool {

void readParkStands(const std::string& code, const AirportToolArguments& arguments,
                    std::chrono::system_clock::time_point now, airports::ParkStands& park) {
  readInstalledAircraftDatabase();
  bool known = false;
  if (std::filesystem::exists(paths::airportDatabase)) {
    known = airports::gf_setParkAirport(airports::readAirportDatabase(paths::airportDatabase), code);
  }
  // A code the database lacks still names its stand file.
  if (!known) airports::parkAirport() = {.code = code, .iata = {}};
  const std::string file = airports::gf_findAirportFile(code, arguments.site);
  if (file.empty()) throw std::runtime_error(fmt::format("{} {} not found", "lf_readParkedFile", code));
  const std::string error = airports::gf_readApf(file, park, now, arguments.site);
  if (!error.empty()) throw std::runtime_error(error);
}

}  // namespace tfx::tool
