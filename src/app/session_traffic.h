#pragma once
// The live traffic of one session (a new session starts without any): its
// state, what the other subsystems offer it so far, and the traffic cycle
// that the main loop runs.
#include "app/simulator_link.h"
#include "realtraffic/traffic_queue.h"
#include "traffic/first_links.h"
#include "traffic/traffic_cycle.h"
#include "traffic/traffic_state.h"

namespace tfx::app {

// The simulator session as the traffic cycle sees it.
class LinkedCycleSimulator final : public CycleSimulator {
 public:
  explicit LinkedCycleSimulator(SimulatorLink& link) : link_(link) {}

  sim::ExchangeLists& exchange() override { return link_.exchange(); }
  double frameRate() const override { return link_.frameRate(); }
  LatLon userPosition() const override;
  size_t waitingLiveCreates() override { return link_.exchange().waitingLiveCreates(); }
  void periodicRequests(int32_t cycle) override;
  void requestObjectShape(uint32_t objectId) override { link_.requestObjectShape(objectId); }
  void allLightsToggle(uint32_t objectId) override { link_.allLightsToggle(objectId); }

 private:
  SimulatorLink& link_;
};

class SessionTraffic {
 public:
  SessionTraffic(SimulatorLink& simulator, TrafficQueue& queue) : simulator_(simulator), cycle_(context(), queue) {}
  SessionTraffic(const SessionTraffic&) = delete;
  SessionTraffic& operator=(const SessionTraffic&) = delete;

  TrafficCycle& cycle() { return cycle_; }

 private:
  TrafficContext context() { return {state_, links_.links(), simulator_}; }

  TrafficState state_;
  FirstLinks links_;
  LinkedCycleSimulator simulator_;
  TrafficCycle cycle_;
};

}  // namespace tfx::app
