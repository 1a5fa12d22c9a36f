#pragma once
// A static parked aircraft on the live-traffic side: from its create request
// until the simulator removed its object.
#include <cstdint>
#include <string>

#include "airports/parked_traffic.h"

namespace tfx {

struct StaticRecord {
  airports::ParkedAircraft aircraft;
  std::string title;     // the livery it is created with
  double heading = 0.0;  // radians, the stand's
  bool cargoStand = false;
  uint32_t objectId = 0;       // 0 until the simulator created the object
  int32_t counter = 0;         // main cycles since the object was created
  bool active = false;         // settled and lit as parked
  uint32_t throttleIndex = 5;  // 5: not yet sent
  bool removing = false;
};

}  // namespace tfx
