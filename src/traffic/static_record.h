#pragma once
// A static parked aircraft on the live-traffic side: from its create request
// until the simulator removed its object.
#include <cstdint>
#include <string_view>

#include "airports/parked_traffic.h"

namespace tfx {

struct StaticRecord {
  airports::ParkedAircraft aircraft;
  // The livery it is created with: a title that lives for the whole run
  // (livery matching's or the default one), so that the window shows it safely.
  std::string_view title;
  double heading = 0.0;  // radians, the stand's
  bool cargoStand = false;
  uint32_t objectId = 0;       // 0 until the simulator created the object
  int32_t counter = 0;         // main cycles since the object was created
  bool active = false;         // settled and lit as parked
  uint32_t throttleIndex = 5;  // 5: not yet sent
  bool removing = false;
};

}  // namespace tfx
