#include "app/session_traffic.h"

#include "core/parameters.h"

namespace tfx::app {

LatLon LinkedCycleSimulator::userPosition() const {
  const UserPosition user = link_.userPosition();
  return {user.lat, user.lon};
}

UserSnapshot LinkedCycleSimulator::userSnapshot() const {
  const UserGround ground = link_.userGround();
  if (!link_.userPositionKnown() || !ground.onGround) return {};
  const UserPosition user = link_.userPosition();
  return {.known = true,
          .position = {user.lat, user.lon},
          .heading = user.trueHeading,
          .altitude = user.altitude,
          .aboveGroundFt = ground.aboveGroundFt,
          .groundSpeed = user.groundSpeed,
          .onGround = *ground.onGround,
          .halfWingspanNm = link_.userHalfWingspanNm()};
}

void LinkedCycleSimulator::periodicRequests(int32_t cycle, bool fastGroundScan) {
  link_.periodicRequests(cycle, fastGroundScan, trafficRadius().meters.load());
}

}  // namespace tfx::app
