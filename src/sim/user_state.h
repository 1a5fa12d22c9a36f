#pragma once
// The user aircraft as the simulator delivers it, and the rules applied to it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "aircraft/aircraft_category.h"
#include "core/geodesy.h"

namespace tfx::sim {

// The user aircraft as last delivered (data definition 403).
struct UserState {
  double lat = 0, lon = 0;                  // degrees
  double pitch = 0, bank = 0, heading = 0;  // radians
  double altitude = 0;                      // feet
  double altitudeAboveGround = 0;           // feet, never below 0
  double groundSpeed = 0;                   // knots
  int64_t zuluTime = 0, zuluDayOfYear = 0, zuluYear = 0, lightStates = 0;
  int64_t epochTime = 0;  // seconds since 1970 from the zulu fields
};

// What the simulator told about the user aircraft itself.
struct UserAircraft {
  std::string title;
  std::string model;
  double halfWingspanNm = 0;
  AircraftCategory category = AircraftCategory::Light;
};

// Latitude and longitude both within 0.0001 degrees of zero: nothing delivered yet.
bool positionKnown(double lat, double lon);

// A jump of more than 10 nautical miles from a known position.
bool isTeleport(const LatLon& previous, const LatLon& now);

// Seconds since 1970 of a zulu date (day of year counted from 1) and time of
// day; none for a date no calendar holds, as a damaged message may carry.
std::optional<int64_t> epochTimeFromZulu(int64_t year, int64_t dayOfYear, int64_t secondsOfDay);

// The simulator's name with everything but letters, digits and white space left out.
std::string reducedSimulatorName(std::string_view name);

struct DeducedModel {
  std::string model;        // empty when the title names no known model
  bool noAircraft = false;  // a camera or a vessel, not an aircraft
};
// The model of an aircraft whose configuration names none, from its title.
DeducedModel modelFromTitle(std::string_view title);

}  // namespace tfx::sim
