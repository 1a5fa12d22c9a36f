#pragma once
// The live traffic of one session (a new session starts without any): its
// state, what the other subsystems offer it so far, and the traffic cycle
// that the main loop runs.
#include "aircraft/livery_catalogue.h"
#include "app/simulator_link.h"
#include "flightplan/flight_plan_list.h"
#include "realtraffic/traffic_queue.h"
#include "traffic/catalogue_livery.h"
#include "traffic/first_links.h"
#include "traffic/parked_live_traffic.h"
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
  UserSnapshot userSnapshot() const override;
  size_t waitingLiveCreates() override { return link_.exchange().waitingLiveCreates(); }
  void periodicRequests(int32_t cycle, bool fastGroundScan) override;
  void requestObjectShape(uint32_t objectId) override { link_.requestObjectShape(objectId); }
  void allLightsToggle(uint32_t objectId) override { link_.allLightsToggle(objectId); }
  int32_t assignFlightPlan(uint32_t objectId, std::string_view path) override {
    return link_.assignFlightPlan(objectId, path);
  }
  void writeAiControls(uint32_t objectId, double spoilersPercent, double throttlePercent) override {
    link_.writeAiControls(objectId, spoilersPercent, throttlePercent);
  }

 private:
  SimulatorLink& link_;
};

// The park airport as the live traffic sees it, forwarded to the parking
// work once the session has made it.
class ParkingAccessSlot final : public ParkingAccess {
 public:
  void attach(ParkingAccess* target) { target_ = target; }
  ParkingView view() override { return target_ != nullptr ? target_->view() : ParkingView{}; }

 private:
  ParkingAccess* target_ = nullptr;
};

// What the traffic of every session takes from the program run.
struct ProgramTrafficLinks {
  LiveryCatalogue& liveries;
  flightplan::FlightPlanList& flightPlans;
};

class SessionTraffic {
 public:
  SessionTraffic(SimulatorLink& simulator, TrafficQueue& queue, ProgramTrafficLinks program)
      : livery_(program.liveries),
        simulator_(simulator),
        cycle_(context(program.flightPlans), queue),
        parked_(context(program.flightPlans)) {}
  SessionTraffic(const SessionTraffic&) = delete;
  SessionTraffic& operator=(const SessionTraffic&) = delete;

  TrafficCycle& cycle() { return cycle_; }
  TrafficState& state() { return state_; }
  ParkedLiveTraffic& parked() { return parked_; }
  LiveryMatcher& livery() { return livery_; }
  void attachParking(ParkingAccess* parking) { parking_.attach(parking); }

 private:
  TrafficContext context(flightplan::FlightPlanList& flightPlans) {
    FirstLinks& first = links_;
    return {state_, {livery_, parking_, first.userHold, first.motion, first.observer}, simulator_, &flightPlans};
  }

  TrafficState state_;
  FirstLinks links_;
  ParkingAccessSlot parking_;
  CatalogueLivery livery_;
  LinkedCycleSimulator simulator_;
  TrafficCycle cycle_;
  ParkedLiveTraffic parked_;
};

}  // namespace tfx::app
