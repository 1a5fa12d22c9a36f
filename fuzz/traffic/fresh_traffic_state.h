#pragma once
// A fresh session's traffic state for each fuzz input, kept in one process-wide
// object that holds on to the live list's room: the program reserves that room
// once per process, and a new half-megabyte buffer for every input made the
// allocator, not the traffic cycle, the cost of a run.
#include <utility>
#include <vector>

#include "traffic/traffic_state.h"

namespace tfx {

inline TrafficState& freshTrafficState() {
  static TrafficState state;
  std::vector<LiveAircraft> liveList = std::move(state.liveList);
  liveList.clear();
  state = TrafficState{};
  state.liveList = std::move(liveList);
  return state;
}

}  // namespace tfx
