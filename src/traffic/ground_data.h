#pragma once
// What the simulator reports of a live aircraft's object: its ground contact
// and height above the ground (kind 3), and its shape (kind 4).
#include "sim/sim_notification.h"
#include "traffic/traffic_context.h"

namespace tfx {

void onGroundData(TrafficContext& context, const sim::SimNotification& notification);
void onObjectShape(TrafficContext& context, const sim::SimNotification& notification);

}  // namespace tfx
