#include "airports/airport.h"

namespace tfx::airports {

Airport& parkAirport() {
  static Airport park;
  return park;
}

std::string gf_airportDisplayName(const Airport& airport) {
  std::string name = airport.code.empty() ? "?" : airport.code;
  if (!airport.iata.empty()) name += " (" + airport.iata + ")";
  return name;
}

}  // namespace tfx::airports
