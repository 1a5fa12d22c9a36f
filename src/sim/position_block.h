#pragma once
// Where an AI object is to be shown: written unchanged to its simulator object
// every frame (data definition 402, eight doubles in this order).
#include <cstdint>

namespace tfx::sim {

struct PositionBlock {
  double lat = 0;            // degrees
  double lon = 0;            // degrees
  double pitch = 0;          // radians
  double bank = 0;           // radians
  double heading = 0;        // radians true, [0, 2 pi)
  double altitude = 0;       // feet
  double verticalSpeed = 0;  // feet per second
  double tas = 0;            // knots
};
static_assert(sizeof(PositionBlock) == 64, "the simulator takes the record as 64 packed bytes");

// One record of the outgoing position buffer.
struct PositionRecord {
  uint32_t objectId = 0;
  PositionBlock block;
};

}  // namespace tfx::sim
