#pragma once
// Everything the main program thread keeps about the park airport: the
// user's park airports, the chosen airport's stands and its static parking.
#include <cmath>
#include <string>

#include "airports/my_park_airports.h"
#include "airports/park_stands.h"
#include "airports/static_parking.h"
#include "core/geodesy.h"
#include "data/download_site.h"

namespace tfx::airports {

// The user's aircraft as the park airport choice sees it.
struct UserAircraft {
  LatLon position;
  bool onGround = false;
  double heightAboveGroundFt = 0.0;

  bool positionKnown() const { return std::abs(position.lat) > 0.0001 || std::abs(position.lon) > 0.0001; }
};

// The user's stand lies within 55 m of the user's aircraft.
inline constexpr double kUserStandRangeNm = 0.029697624190064796;

struct ParkingState {
  ParkAirportList parkAirports;
  LatLon lastUserPosition;
  ParkStands stands;
  StaticParking statics;
  bool readSucceeded = false;  // the park airport's stands were read
  // The airport whose stands last could not be had; not tried again at once.
  std::string airportWithoutStands;
  std::string site{kDownloadBaseUrl};
};

}  // namespace tfx::airports
