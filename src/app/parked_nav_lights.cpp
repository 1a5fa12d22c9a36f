#include "app/parked_nav_lights.h"

#include "sim/sim_ids.h"

namespace tfx::app {

int sendParkedNavLights(const TrafficState& traffic, sim::ExchangeLists& exchange, bool on) {
  const uint32_t data = on ? 1 : 0;
  int sent = 0;
  for (const LiveAircraft& aircraft : traffic.liveList) {
    if (aircraft.state != SimState::Active || aircraft.phase != FlightPhase::Parked) continue;
    exchange.queueEvent(aircraft.objectId, sim::kEvNavLights, data);
    ++sent;
  }
  for (const StaticRecord& record : traffic.staticRecords) {
    if (!record.active || record.removing) continue;
    exchange.queueEvent(record.objectId, sim::kEvNavLights, data);
    ++sent;
  }
  return sent;
}

}  // namespace tfx::app
