// The traffic cycle at a park airport of 1,000 stands (a grid of stands 45 m
// apart) with 500 live aircraft on the ground and 500 static ones: 200
// parked, 250 taxiing round squares between the stand rows (each corner a
// curve), 25 driving onto stands and 25 pushing back when timing starts; a
// tick every 100 cycles with collision avoidance against the user aircraft
// standing on the apron and between live and static aircraft. Counters:
// cycle_us_mean and cycle_us_p99 (the tick's cycles included),
// allocs_per_cycle, tick_us_mean (the tick alone).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <mutex>

#include "airports/stand_geometry.h"
#include "bench_support.h"
#include "core/parameters.h"
#include "runstate/cycle_clock.h"
#include "traffic/first_links.h"
#include "traffic/ground_stands.h"
#include "traffic/traffic_cycle.h"

namespace tfx {
namespace {

using bench_support::BenchSimulator;
using bench_support::CycleTimer;

constexpr int kStandRows = 25;
constexpr int kStandsPerRow = 40;
constexpr double kStandSpacingFt = 45.0 / 0.3048;
constexpr double kRowSpacingFt = 120.0 / 0.3048;
constexpr int kParked = 200;
constexpr int kTaxiing = 250;
constexpr int kParking = 25;
constexpr int kPushing = 25;
constexpr int kStatics = 500;
constexpr uint32_t kFirstHexid = 0x500000;
constexpr LatLon kCorner{47.4400, 8.5400};
// A taxiing aircraft goes round a 60 m square in 4 legs of 15 s.
constexpr double kLoopSideFt = 60.0 / 0.3048;
constexpr int32_t kLegCycles = 1500;

class BenchParking final : public ParkingAccess {
 public:
  BenchParking() {
    auto& stands = parking.stands.parkStands;
    stands.reserve(kStandRows * kStandsPerRow);
    for (int row = 0; row < kStandRows; ++row) {
      const LatLon start = gf_destinationPoint(kCorner, 0.0, row * kRowSpacingFt);
      for (int column = 0; column < kStandsPerRow; ++column) {
        airports::Stand& stand = stands.emplace_back();
        stand.index = static_cast<int>(stands.size());
        stand.id = std::to_string(stand.index);
        const LatLon at = gf_destinationPoint(start, M_PI / 2.0, column * kStandSpacingFt);
        stand.lat = at.lat;
        stand.lon = at.lon;
        stand.heading = row % 2 == 0 ? 0.0 : M_PI;
        stand.radius = 24.0 / kMetersPerNm;
      }
    }
    airports::buildOverlapTable(stands);
    parking.stands.standsLoaded = true;
  }
  ParkingView view() override { return {&parking, {3, 20}}; }

  airports::ParkingState parking;
};

class ApronSimulator final : public CycleSimulator {
 public:
  sim::ExchangeLists& exchange() override { return base.lists; }
  double frameRate() const override { return 30.0; }
  LatLon userPosition() const override { return user; }
  UserSnapshot userSnapshot() const override {
    return {.known = true, .position = user, .onGround = true, .halfWingspanNm = 0.0097};
  }
  size_t waitingLiveCreates() override { return 0; }
  void periodicRequests(int32_t, bool) override {}
  void requestObjectShape(uint32_t) override {}
  void allLightsToggle(uint32_t) override {}
  int32_t assignFlightPlan(uint32_t, std::string_view) override { return 0; }
  void writeAiControls(uint32_t, double, double) override {}

  BenchSimulator base;
  LatLon user = gf_destinationPoint(kCorner, M_PI, 1000.0);
};

// The corner of its square a taxiing aircraft reaches at leg `leg`.
LatLon loopCorner(int index, int leg) {
  const LatLon lane = gf_destinationPoint(kCorner, 0.0, (index % kStandRows) * kRowSpacingFt + 60.0 / 0.3048);
  const LatLon origin = gf_destinationPoint(lane, M_PI / 2.0, (index / kStandRows) * 2.0 * kLoopSideFt);
  const int corner = leg % 4;
  const LatLon east = gf_destinationPoint(origin, M_PI / 2.0, corner == 1 || corner == 2 ? kLoopSideFt : 0.0);
  return gf_destinationPoint(east, 0.0, corner >= 2 ? kLoopSideFt * 0.5 : 0.0);
}

TrackPoint groundPoint(const LatLon& at, int32_t stamp, double knots) {
  TrackPoint point;
  point.lat = at.lat;
  point.lon = at.lon;
  point.groundSpeed = knots;
  point.stamp = stamp;
  point.stationary = knots == 0.0;
  return point;
}

struct Apron {
  TrafficState state;
  FirstLinks first;
  BenchParking parking;
  ApronSimulator simulator;
  TrafficQueue queue;
  TrafficContext context{state, {first.livery, parking, first.userHold, first.motion, first.observer}, simulator};
  TrafficCycle cycle{context, queue};

  LiveAircraft& add(int index, FlightPhase phase) {
    LiveAircraft& aircraft = state.liveList.emplace_back();
    aircraft.hexid = kFirstHexid + static_cast<uint32_t>(index);
    aircraft.callsign = "SWR" + std::to_string(index);
    aircraft.type = "A320";
    aircraft.state = SimState::Active;
    aircraft.objectId = 1000 + static_cast<uint32_t>(index);
    aircraft.onGroundConfirmed = true;
    aircraft.halfWingspan = 0.0097;
    aircraft.standSpeed = 4.0;
    aircraft.category = 2;
    aircraft.phase = phase;
    return aircraft;
  }

  void placeOnStand(LiveAircraft& aircraft, int standIndex) {
    const airports::Stand& stand = parking.parking.stands.parkStands[static_cast<size_t>(standIndex)];
    takeStand(aircraft, stand);
    aircraft.block.lat = stand.lat;
    aircraft.block.lon = stand.lon;
    aircraft.block.heading = aircraft.standHeading;
  }

  Apron() {
    cycleNumber().store(0);
    state.reserve();
    COLLISION_LIVE_PARKED_GND.set(true);
    int index = 0;
    for (int i = 0; i < kParked; ++i, ++index) {
      LiveAircraft& aircraft = add(index, FlightPhase::Parked);
      placeOnStand(aircraft, 2 * i);
      aircraft.history.push_back(groundPoint(aircraft.standPosition, 1 << 30, 0.0));
      occupyStand(context, aircraft);
    }
    for (int i = 0; i < kTaxiing; ++i, ++index) {
      LiveAircraft& aircraft = add(index, FlightPhase::Taxi);
      aircraft.previousPhase = FlightPhase::PushedBack;
      const LatLon start = loopCorner(i, 0);
      aircraft.block.lat = start.lat;
      aircraft.block.lon = start.lon;
      for (int leg = 0; leg < 3; ++leg) aircraft.history.push_back(groundPoint(loopCorner(i, leg), leg * kLegCycles, 8.0));
    }
    for (int i = 0; i < kParking + kPushing; ++i, ++index) {
      const bool parks = i < kParking;
      LiveAircraft& aircraft = add(index, parks ? FlightPhase::Taxi : FlightPhase::Parked);
      placeOnStand(aircraft, 2 * (kParked + i));
      const LatLon away = gf_destinationPoint(aircraft.standPosition, M_PI, parks ? 40.0 : 150.0);
      if (parks) {
        aircraft.block.lat = away.lat;
        aircraft.block.lon = away.lon;
        clearStand(aircraft);
        aircraft.history.push_back(groundPoint(away, 0, 3.0));
        aircraft.history.push_back(groundPoint(away, 100, 0.0));
      } else {
        aircraft.history.push_back(groundPoint(aircraft.standPosition, 0, 0.0));
        aircraft.history.push_back(groundPoint(away, 100, 3.0));
        aircraft.motion.leaveStand = true;
      }
    }
    for (int i = 0; i < kStatics; ++i) {
      StaticRecord& record = state.staticRecords.emplace_back();
      const airports::Stand& stand = parking.parking.stands.parkStands[static_cast<size_t>(2 * i + 1)];
      record.aircraft.hexid = static_cast<uint32_t>(i + 1);
      record.aircraft.standIndex = stand.index;
      record.aircraft.position = stand.position();
      record.aircraft.halfWingspanNm = 0.0097;
      record.objectId = 5000 + static_cast<uint32_t>(i);
      record.active = true;
    }
  }

  // One report a cycle: the taxiing aircraft in turn get their next corner, due in three legs.
  // What the simulator thread takes from the lists at each of its frames.
  void takeFrame() {
    sim::ExchangeLists& lists = simulator.base.lists;
    std::scoped_lock lock(lists.positionMutex());
    lists.events.clear();
    lists.creates.clear();
    lists.removals.clear();
  }

  void feed(int32_t cycle) {
    const int i = static_cast<int>(cycle % kTaxiing);
    LiveAircraft& aircraft = state.liveList[static_cast<size_t>(kParked + i)];
    if (aircraft.phase != FlightPhase::Taxi || aircraft.history.size() > 4) return;
    const int leg = (cycle + 3 * kLegCycles) / kLegCycles;
    aircraft.history.push_back(groundPoint(loopCorner(i, leg), std::max(leg * kLegCycles, aircraft.history.back().stamp + 1), 8.0));
  }
};

void BM_GroundCycle1000Stands(benchmark::State& bench) {
  Apron apron;
  CycleTimer timer;
  double tickMicros = 0;
  int64_t ticks = 0;
  for (auto _ : bench) {
    const int32_t n = cycleNumber().load();
    apron.feed(n);
    if (n % 3 == 0) apron.takeFrame();
    timer.time([&] {
      apron.cycle.trafficCycle();
      if ((n + 1) % 100 == 0) {
        const auto start = std::chrono::steady_clock::now();
        apron.cycle.tick(static_cast<int32_t>(ticks + 1));
        tickMicros += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
        ++ticks;
      }
    });
  }
  timer.report(bench);
  if (ticks > 0) bench.counters["tick_us_mean"] = tickMicros / static_cast<double>(ticks);
  int64_t onGround = 0;
  for (const LiveAircraft& aircraft : apron.state.liveList) onGround += aircraft.state == SimState::Active ? 1 : 0;
  bench.counters["live_active_at_end"] = static_cast<double>(onGround);
}
BENCHMARK(BM_GroundCycle1000Stands)->Iterations(60000)->Repetitions(3);

}  // namespace
}  // namespace tfx
