#pragma once
// The user's park airports: airports/my_park_airports.txt (one airport per
// line, optionally with the stand the user last parked on) and the stand
// files of airports/my_thirdparty.
#include <string>
#include <string_view>
#include <vector>

#include "airports/airport_database.h"

namespace tfx::airports {

struct ParkAirportEntry {
  std::string code;
  std::string stand;  // the stand the user last parked on; empty when unknown
  double lat = 0.0;
  double lon = 0.0;
  double distance = 0.0;  // nautical miles from the user's aircraft

  LatLon position() const { return {lat, lon}; }
};

// Nearest first once the user's position is known.
using ParkAirportList = std::vector<ParkAirportEntry>;

// More park airports than this cost noticeable time at every move.
inline constexpr size_t kManyParkAirports = 3000;

// Empties the list and fills it from my_park_airports.txt, then appends the
// airports of the my_thirdparty folder not yet in it. Bad lines are reported
// and skipped. False (after showing the file-system error) when the folder
// cannot be read.
bool lf_readMyParkAirports(const AirportDatabase& database, ParkAirportList& list);

// Records the user's stand at an airport in my_park_airports.txt: the
// airport's line is replaced or added; the file is kept sorted, without
// repeated lines, and written to a temporary name renamed over it.
void lf_updateMyParkAirports(std::string_view code, std::string_view stand);

}  // namespace tfx::airports
