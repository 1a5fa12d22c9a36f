#include "traffic/traffic_state.h"

#include <algorithm>

namespace tfx {
namespace {
constexpr size_t kLiveListRoom = 512;
}  // namespace

LiveAircraft* TrafficState::findHexid(uint32_t hexid) {
  const auto found = std::find_if(liveList.begin(), liveList.end(), [&](const auto& a) { return a.hexid == hexid; });
  return found == liveList.end() ? nullptr : &*found;
}

LiveAircraft* TrafficState::findPresentCallsign(std::string_view callsign) {
  const auto found = std::find_if(liveList.begin(), liveList.end(), [&](const LiveAircraft& a) {
    return a.state != SimState::RemovingFromSim && a.callsign == callsign;
  });
  return found == liveList.end() ? nullptr : &*found;
}

void TrafficState::reserve() {
  if (liveList.capacity() < kLiveListRoom) liveList.reserve(kLiveListRoom);
  if (staticsByLatitude.capacity() < kLiveListRoom) staticsByLatitude.reserve(kLiveListRoom);
  if (removalQueue.capacity() < kLiveListRoom) removalQueue.reserve(kLiveListRoom);
  if (staticCheckList.capacity() < kLiveListRoom) staticCheckList.reserve(kLiveListRoom);
}

// Decided here: the operator code followed by the type designator ("SWRA320"),
// which is how the matching tables group liveries.
std::string liveryKey(const LiveAircraft& aircraft) { return aircraft.airline + aircraft.type; }

}  // namespace tfx
