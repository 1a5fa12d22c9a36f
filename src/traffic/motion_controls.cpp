#include "traffic/motion_controls.h"

#include "sim/sim_ids.h"
#include "traffic/motion_math.h"

namespace tfx {

void setGear(TrafficContext& context, const LiveAircraft& aircraft, bool down) {
  if (!isRotorcraft(aircraft)) context.simulator.exchange().queueEvent(aircraft.objectId, sim::kEvGear, down ? 1 : 0);
}

void setSpoilers(TrafficContext& context, const LiveAircraft& aircraft, uint32_t data) {
  if (!isRotorcraft(aircraft)) context.simulator.exchange().queueEvent(aircraft.objectId, sim::kEvSpoilers, data);
}

void setCabinLights(TrafficContext& context, const LiveAircraft& aircraft, bool on) {
  context.simulator.exchange().queueEvent(aircraft.objectId, sim::kEvCabinLights, on ? 1 : 0);
}

void tellMotion(TrafficContext& context, const LiveAircraft& aircraft, MotionEvent::Kind kind, double value) {
  context.links.observer.motion(aircraft, {kind, value});
}

}  // namespace tfx
