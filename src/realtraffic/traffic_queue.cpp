#include "realtraffic/traffic_queue.h"

#include <utility>

#include "runstate/cycle_clock.h"

namespace tfx {

bool TrafficQueue::offer(TrafficReport report) {
  std::lock_guard guard(mutex);
  if (!acceptingTraffic.load()) return false;
  report.stamp = cycleNumber().load() + kReportDelayCycles;
  reports.push_back(std::move(report));
  return true;
}

void TrafficQueue::setAccepting(bool accepting) {
  std::lock_guard guard(mutex);
  acceptingTraffic = accepting;
}

}  // namespace tfx
