#pragma once
// What the simulator thread and the window tell the traffic about its records.
#include <vector>

#include "sim/sim_notification.h"
#include "traffic/traffic_context.h"

namespace tfx {

// Handles the notifications posted since the last cycle, in order. `scratch`
// keeps its room from cycle to cycle.
void handleNotifications(TrafficContext& context, std::vector<sim::SimNotification>& scratch);

}  // namespace tfx
