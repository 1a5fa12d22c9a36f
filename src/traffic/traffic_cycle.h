#pragma once
// One traffic cycle of the main loop (every 10 ms while the flight runs):
// simulator notifications, the update pass, at most two reports of the
// feed, and the periodic simulator requests; then the cycle number moves on.
#include <cstdint>
#include <vector>

#include "realtraffic/traffic_queue.h"
#include "realtraffic/traffic_report.h"
#include "sim/sim_notification.h"
#include "traffic/traffic_context.h"

namespace tfx {

class TrafficCycle {
 public:
  TrafficCycle(TrafficContext context, TrafficQueue& queue) : context_(context), queue_(queue) {}

  void trafficCycle();
  // Once a tick (about a second; `tickCounter` counts them as the main loop
  // does): collision avoidance against the user aircraft and between live and
  // static aircraft, static aircraft making way for their live selves, and
  // learning of parked aircraft.
  void tick(int32_t tickCounter);
  // One report of the feed: a new aircraft, or a point of a known one.
  void handleReport(const TrafficReport& report);

 private:
  TrafficContext context_;
  TrafficQueue& queue_;
  std::vector<sim::SimNotification> notifications_;
};

}  // namespace tfx
