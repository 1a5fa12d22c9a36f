// The airport database file: any bytes give a database or error 88, never a
// crash; what is read is sorted by code and every lookup and closest-airport
// walk over it works, whatever positions (NaN and infinities too) it holds.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "airports/airport_database.h"
#include "airports/closest_airport.h"
#include "core/log.h"
#include "runstate/user_error.h"

namespace {

using namespace tfx;
using namespace tfx::airports;
namespace fs = std::filesystem;

constexpr size_t kLogLineOverhead = 512;

void require(bool promise) {
  if (!promise) __builtin_trap();
}

const fs::path& databaseFile() {
  static const fs::path file = [] {
    std::string folder = (fs::temp_directory_path() / "airport_db_fuzz.XXXXXX").string();
    require(mkdtemp(folder.data()) != nullptr);
    return fs::path(folder) / "airports_p3d.xml";
  }();
  return file;
}

void checkDatabase(const AirportDatabase& database) {
  require(std::is_sorted(database.begin(), database.end(),
                         [](const Airport& a, const Airport& b) { return a.code < b.code; }));
  for (const Airport& airport : database) {
    const Airport* found = findAirport(database, airport.code);
    require(found != nullptr && found->code == airport.code);
  }
  int queries = 0;
  const NearestStandQuery nearestStand = [&queries](const Airport&, const LatLon&) {
    ++queries;
    return NearestStand{.distanceNm = 1.0, .id = "S"};
  };
  for (const Airport& airport : database) {
    const Airport* closest = gf_closestAirport(database, {airport.lat, airport.lon}, nearestStand);
    // An airport at a real position is within 5 nm of itself; NaN and infinities find nothing there.
    if (std::isfinite(airport.lat) && std::isfinite(airport.lon)) require(closest != nullptr);
  }
  require(queries <= static_cast<int>(database.size()) * 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream file(databaseFile(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  LogCapture log;
  try {
    checkDatabase(readAirportDatabase(databaseFile()));
  } catch (const UserErrorException& error) {
    require(error.code() == 88);
  }
  for (const std::string& line : log.lines()) require(line.size() <= size + kLogLineOverhead);
  return 0;
}
