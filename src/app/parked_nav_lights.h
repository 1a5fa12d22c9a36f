#pragma once
// The navigation lights of every aircraft standing parked in the simulator,
// switched when the user changes the "Nav lights" box.
#include "sim/exchange_lists.h"
#include "traffic/traffic_state.h"

namespace tfx::app {

// Sends "NAV_LIGHTS_SET" to each active live aircraft in phase "parked" and
// to each active static aircraft; returns how many objects got it.
int sendParkedNavLights(const TrafficState& traffic, sim::ExchangeLists& exchange, bool on);

}  // namespace tfx::app
