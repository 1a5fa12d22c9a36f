#include "traffic/traffic_context.h"

namespace tfx {

void changeState(TrafficContext& context, LiveAircraft& aircraft, SimState to) {
  const SimState from = aircraft.state;
  aircraft.state = to;
  context.links.observer.stateChanged(aircraft, from, to);
}

void changePhase(TrafficContext& context, LiveAircraft& aircraft, FlightPhase to) {
  const FlightPhase from = aircraft.phase;
  aircraft.previousPhase = from;
  aircraft.phase = to;
  context.links.observer.phaseChanged(aircraft, from, to);
}

void dropAircraft(TrafficContext& context, LiveAircraft& aircraft, std::string_view reason) {
  aircraft.drop = true;
  context.links.observer.dropped(aircraft, reason);
}

}  // namespace tfx
