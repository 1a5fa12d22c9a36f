#pragma once
// A traffic cycle over a small aircraft database, a simulator that is only
// its exchange lists and a user position, and an observer that writes every
// event as one line.
#include <fmt/format.h>
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <array>
#include <string>
#include <vector>

#include "aircraft/aircraft_database.h"
#include "core/parameters.h"
#include "airports/airport.h"
#include "runstate/cycle_clock.h"
#include "test_support.h"
#include "traffic/first_links.h"
#include "traffic/traffic_cycle.h"

namespace tfx::test {

inline constexpr const char* kTrafficDbase = R"(<?xml version="1.0"?>
<aircrafts><aircraft types="A320,B744,C172,EC35,F16,C56X"/></aircrafts>
<high_performance><hpf types="F16"/></high_performance>
<heavy><hvy types="B744"/></heavy>
<large><lar types="A320"/></large>
<buzjet><bzj types="C56X"/></buzjet>
<rotorcraft><rot types="EC35"/></rotorcraft>
<cargo_types><cargo_type types="B744"/></cargo_types>
<similar_types><similar types="A320"/></similar_types>
<ICAO_airlines><ICAO codes="SWR,EZY,CLX"/></ICAO_airlines>
<cargo_operators><ICAO codes="CLX"/></cargo_operators>
<publishers><pub names="Aerosoft"/></publishers>
<wingspans><wingspan type="A320" meters="35.8"/><wingspan type="B744" meters="64.4"/></wingspans>
<fixes><fx wro="A32" cor="A320"/></fixes>
<simaddonsP3D><simaddonP3D arpts="LOWI"/></simaddonsP3D>
<thirdpartiesP3D><thirdpartieP3D pub="Aerosoft" arpts="EDDF"/></thirdpartiesP3D>
<dbase><db reg="HB-JLT" airl="SWR" type="A320"/><db reg="LX-VCA" airl="CLX" type="B744" cargo="yes"/></dbase>
)";

class RecordingObserver final : public TrafficObserver {
 public:
  void created(const LiveAircraft& a) override { add(a, "create"); }
  void dropped(const LiveAircraft& a, std::string_view reason) override { add(a, fmt::format("drop {}", reason)); }
  void spawned(const LiveAircraft& a) override { add(a, "spawn"); }
  void objectCreated(const LiveAircraft& a) override { add(a, fmt::format("object {}", a.objectId)); }
  void stateChanged(const LiveAircraft& a, SimState from, SimState to) override {
    add(a, fmt::format("state {}>{}", simStateName(from), simStateName(to)));
  }
  void phaseChanged(const LiveAircraft& a, FlightPhase from, FlightPhase to) override {
    add(a, fmt::format("phase {}>{}", flightPhaseName(from), flightPhaseName(to)));
  }
  void removed(const LiveAircraft& a, std::string_view reason, SimState state) override {
    add(a, fmt::format("remove {} {}", reason, simStateName(state)));
  }
  void erased(const LiveAircraft& a, std::string_view reason) override { add(a, fmt::format("erase {}", reason)); }
  void motion(const LiveAircraft& a, const MotionEvent& event) override {
    add(a, fmt::format("motion {} {}", static_cast<int>(event.kind), event.value));
  }

  void stand(const LiveAircraft& a, std::string_view what, double, double) override {
    add(a, fmt::format("stand {}", what));
  }
  void collision(uint32_t hexid, std::string_view kind, std::string_view other, double) override {
    events.push_back(fmt::format("{} collision {} {}", hexid, kind, other));
  }
  void staticRemoved(const airports::ParkedAircraft& parked, std::string_view reason) override {
    events.push_back(fmt::format("{} static-remove {}", parked.hexid, reason));
  }

  std::vector<std::string> events;

 private:
  void add(const LiveAircraft& a, const std::string& what) { events.push_back(fmt::format("{} {}", a.hexid, what)); }
};

class TestSimulator final : public CycleSimulator {
 public:
  sim::ExchangeLists& exchange() override { return lists; }
  double frameRate() const override { return 30.0; }
  LatLon userPosition() const override { return user; }
  size_t waitingLiveCreates() override { return waitingCreates + lists.waitingLiveCreates(); }
  void periodicRequests(int32_t cycle, bool fastGroundScan) override {
    lastRequestCycle = cycle;
    fastScanWanted = fastGroundScan;
  }
  void requestObjectShape(uint32_t objectId) override { shapeRequests.push_back(objectId); }
  void allLightsToggle(uint32_t objectId) override { lightToggles.push_back(objectId); }
  int32_t assignFlightPlan(uint32_t objectId, std::string_view path) override {
    flightPlans.emplace_back(objectId, std::string(path));
    return flightPlanResult;
  }
  void writeAiControls(uint32_t objectId, double spoilersPercent, double throttlePercent) override {
    aiControls.push_back({static_cast<double>(objectId), spoilersPercent, throttlePercent});
  }

  sim::ExchangeLists lists;
  LatLon user{47.4647, 8.5492};
  size_t waitingCreates = 0;  // on top of the create list
  int32_t lastRequestCycle = -1;
  bool fastScanWanted = false;
  std::vector<uint32_t> shapeRequests;
  std::vector<uint32_t> lightToggles;
  std::vector<std::pair<uint32_t, std::string>> flightPlans;
  int32_t flightPlanResult = 0;
  std::vector<std::array<double, 3>> aiControls;  // object id, spoilers, throttle
};

class TrafficFixture : public ::testing::Test {
 protected:
  TrafficFixture() {
    resetProgramState();
    pugi::xml_document document;
    document.load_string(kTrafficDbase);
    aircraftDatabase() = AircraftDatabase{};
    aircraftDatabase().load(document);
    airports::parkAirport() = airports::Airport{};
    cycleNumber().store(0);
    queue.setAccepting(true);
    // References to records stay valid while a test adds more.
    state.reserve();
  }
  ~TrafficFixture() override { airports::parkAirport() = airports::Airport{}; }

  // A report due at `stamp`, made at feed time `seconds`.
  static TrafficReport report(uint32_t hexid, double seconds, int32_t stamp, double lat = 47.5, double lon = 8.6,
                              double altitude = 5000.0, double speed = 250.0) {
    TrafficReport r;
    r.hexid = hexid;
    r.timestamp = seconds;
    r.stamp = stamp;
    r.lat = lat;
    r.lon = lon;
    r.altitude = altitude;
    r.airborne = altitude > 0.0;
    r.groundSpeed = speed;
    r.tas = speed;
    r.track = 90.0;
    r.type = "A320";
    r.callsign = fmt::format("SWR{}", hexid % 1000);
    r.registration = "";
    return r;
  }

  LiveAircraft& aircraft(uint32_t hexid) {
    LiveAircraft* found = state.findHexid(hexid);
    if (found == nullptr) throw std::runtime_error(fmt::format("no record {}", hexid));
    return *found;
  }

  void runCycles(int count) {
    for (int i = 0; i < count; ++i) cycle.trafficCycle();
  }
  void runUntil(int32_t cycleNumberWanted) {
    while (cycleNumber().load() < cycleNumberWanted) cycle.trafficCycle();
  }

  bool hasEvent(const std::string& event) const {
    return std::find(observer.events.begin(), observer.events.end(), event) != observer.events.end();
  }

  TrafficState state;
  FirstLinks first;
  RecordingObserver observer;
  TestSimulator simulator;
  TrafficQueue queue;
  TrafficContext context{state, {first.livery, first.stands, first.userHold, first.motion, observer}, simulator};
  TrafficCycle cycle{context, queue};
};

}  // namespace tfx::test
