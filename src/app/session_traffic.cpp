#include "app/session_traffic.h"

#include "core/parameters.h"

namespace tfx::app {

LatLon LinkedCycleSimulator::userPosition() const {
  const UserPosition user = link_.userPosition();
  return {user.lat, user.lon};
}

void LinkedCycleSimulator::periodicRequests(int32_t cycle, bool fastGroundScan) {
  link_.periodicRequests(cycle, fastGroundScan, trafficRadius().meters.load());
}

}  // namespace tfx::app
