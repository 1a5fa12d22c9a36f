#pragma once
// The traffic radius chosen from the user aircraft's height and its distance
// to the first park airport, while "Auto range" is ticked.
#include <cstdint>
#include <optional>

#include "core/geodesy.h"
#include "ui/traffic_picture.h"

namespace tfx::ui {

// No park airport counts as one this far away (nautical miles).
inline constexpr double kNoParkAirportDistanceNm = 10000.0;

struct RadiusInputs {
  bool onGround = false;
  double aboveGroundFt = 0.0;
  double parkAirportNm = kNoParkAirportDistanceNm;
  int32_t arAboveHeightFt = 48000;
  int32_t airportHeightFt = 18000;
};

// The radius in nautical miles (a value of the RANGE list).
int32_t automatic_radius(const RadiusInputs& inputs);

struct RadiusUser {
  LatLon position;
  double aboveGroundFt = 0.0;
  bool onGround = false;
};

RadiusUser radiusUserOf(const PictureUser& user);

// Stores the automatic radius in RANGE (not saved), derives the radius from it
// and shows it in the list when it changed. Without a known user state nothing changes.
void applyAutomaticRadius(const std::optional<RadiusUser>& user, const std::optional<LatLon>& parkAirport);

}  // namespace tfx::ui
