#include "app/session_traffic.h"

#include <algorithm>
#include <mutex>

#include "core/parameters.h"

namespace tfx::app {

LatLon LinkedCycleSimulator::userPosition() const {
  const UserPosition user = link_.userPosition();
  return {user.lat, user.lon};
}

size_t LinkedCycleSimulator::waitingLiveCreates() {
  sim::ExchangeLists& lists = link_.exchange();
  std::lock_guard lock(lists.positionMutex());
  return static_cast<size_t>(std::count_if(lists.creates.begin(), lists.creates.end(),
                                           [](const sim::CreateRequest& r) { return isLiveHexid(r.hexid); }));
}

void LinkedCycleSimulator::periodicRequests(int32_t cycle) {
  link_.periodicRequests(cycle, false, trafficRadius().meters.load());
}

}  // namespace tfx::app
