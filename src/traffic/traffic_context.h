#pragma once
// What every step of the traffic cycle works on: the traffic state, the
// subsystems around it and the simulator session; and the changes of a
// record that its observer hears of.
#include <string_view>

#include "flightplan/flight_plan_list.h"
#include "traffic/traffic_links.h"
#include "traffic/traffic_state.h"

namespace tfx {

struct TrafficContext {
  TrafficState& state;
  TrafficLinks links;
  CycleSimulator& simulator;
  // The AI flight plans written this program run; none where nothing shows
  // them (the lab, the tools).
  flightplan::FlightPlanList* flightPlans = nullptr;
};

// A state change other than the spawn and the removal, which tell their own events.
void changeState(TrafficContext& context, LiveAircraft& aircraft, SimState to);
// Keeps the old phase as the previous one.
void changePhase(TrafficContext& context, LiveAircraft& aircraft, FlightPhase to);
// The record leaves the buffer at the end of this update pass.
void dropAircraft(TrafficContext& context, LiveAircraft& aircraft, std::string_view reason);

}  // namespace tfx
