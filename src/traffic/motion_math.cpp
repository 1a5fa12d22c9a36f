#include "traffic/motion_math.h"

namespace tfx {

void keepOnEarth(sim::PositionBlock& block) {
  if (block.lat >= -90.0 && block.lat <= 90.0 && block.lon >= -180.0 && block.lon < 180.0) return;
  double lat = std::remainder(block.lat, 360.0);
  double lon = block.lon;
  if (lat > 90.0 || lat < -90.0) {
    lat = (lat > 0.0 ? 180.0 : -180.0) - lat;
    lon += 180.0;
  }
  lon = std::fmod(lon + 180.0, 360.0);
  if (lon < 0.0) lon += 360.0;
  lon -= 180.0;
  block.lat = lat;
  block.lon = lon >= 180.0 ? -180.0 : lon;
}

}  // namespace tfx
