#pragma once
// One airport of the airport database, and the park airport: the airport whose
// stands receive parked aircraft and near which ground traffic is kept.
#include <string>

#include "core/geodesy.h"

namespace tfx::airports {

struct Airport {
  std::string code{};  // ICAO-style key of the database
  std::string iata{};  // empty when the database gives none
  double lat = 0.0;  // degrees, north positive
  double lon = 0.0;  // degrees, east positive
  double alt = 0.0;  // elevation in feet

  LatLon position() const { return {lat, lon}; }
};

// The park airport; empty (no code) until one is set. Owned by the main
// program thread: only that thread changes or reads it.
Airport& parkAirport();

inline bool parkAirportIsSet() { return !parkAirport().code.empty(); }

// "EHAM (AMS)", or the bare code without an IATA code; "?" for an empty code.
std::string gf_airportDisplayName(const Airport& airport);

}  // namespace tfx::airports
