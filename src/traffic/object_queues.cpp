#include "traffic/object_queues.h"

#include <algorithm>

#include "core/geodesy.h"
#include "core/log.h"
#include "core/log_line.h"

namespace tfx {
namespace {

constexpr int32_t kRemovalEvery = 10;
constexpr int32_t kCreateEvery = 50;

sim::CreateRequest createRequest(const LiveAircraft& aircraft) {
  const sim::PositionBlock& block = aircraft.block;
  sim::CreateRequest request;
  request.lat = block.lat;
  request.lon = block.lon;
  request.altitude = block.altitude;
  request.pitch = block.pitch * kRadToDeg;
  request.bank = block.bank * kRadToDeg;
  request.heading = block.heading * kRadToDeg;
  request.onGround = aircraft.history.empty() || aircraft.history.front().airborne ? 0 : 1;
  request.callsign = aircraft.callsign;
  request.liveryTitle = std::string(aircraft.title);
  request.hexid = aircraft.hexid;
  return request;
}

}  // namespace

void lf_handleAddingStack(TrafficContext& context) {
  TrafficState& state = context.state;
  if (state.addingStack.empty()) return;
  const uint32_t hexid = state.addingStack.back();
  state.addingStack.pop_back();
  const LiveAircraft* aircraft = state.findHexid(hexid);
  if (aircraft == nullptr) return;
  if (aircraft->callsign.empty()) {
    writeLogLine("{} {} objectid = 0?", "lf_handleAddingStack", aircraftName(*aircraft));
    return;
  }
  state.liveCreateQueue.push_back(createRequest(*aircraft));
}

void paceCreatesAndRemovals(TrafficContext& context, int32_t cycle) {
  TrafficState& state = context.state;
  sim::ExchangeLists& exchange = context.simulator.exchange();
  if (cycle % kRemovalEvery == 0 && !state.removalQueue.empty()) {
    exchange.queueRemoval(state.removalQueue.front());
    state.removalQueue.erase(state.removalQueue.begin());
  }
  if (cycle % kCreateEvery != 0) return;
  // Live aircraft go first: they are what the user came for.
  auto& queue = state.liveCreateQueue.empty() ? state.staticCreateQueue : state.liveCreateQueue;
  if (queue.empty()) return;
  exchange.queueCreate(std::move(queue.front()));
  queue.pop_front();
}

size_t waitingLiveCreates(TrafficContext& context) {
  return context.state.liveCreateQueue.size() + context.simulator.waitingLiveCreates();
}

bool cancelQueuedCreate(TrafficState& state, uint32_t hexid) {
  const auto queued = std::find_if(state.liveCreateQueue.begin(), state.liveCreateQueue.end(),
                                   [&](const sim::CreateRequest& r) { return r.hexid == hexid; });
  if (queued == state.liveCreateQueue.end()) return false;
  state.liveCreateQueue.erase(queued);
  return true;
}

}  // namespace tfx
