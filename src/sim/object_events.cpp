#include "sim/object_events.h"

#include "sim/sim_ids.h"

namespace tfx::sim {

void setLights(ExchangeLists& exchange, uint32_t objectId, const LightSetting& lights) {
  const std::array<SimEvent, 7> events{{
      {objectId, kEvNavLights, lights.navigation},
      {objectId, kEvBeaconLights, lights.beacon},
      {objectId, kEvLandingLights, lights.landing},
      {objectId, kEvTaxiLights, lights.taxi},
      {objectId, kEvStrobes, lights.strobe},
      {objectId, kEvLogoLights, lights.logo},
      {objectId, kEvCabinLights, lights.cabin},
  }};
  exchange.queueEvents(events);
}

}  // namespace tfx::sim
