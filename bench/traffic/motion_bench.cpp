// The motion of live aircraft on one core: a traffic cycle with 500 active
// airborne aircraft that all move, two reports a cycle (200 a second), of
// which every other one moves its aircraft on (about one leg set-up a cycle),
// and the positions published. Counters: cycle_us_mean and cycle_us_p99
// (microseconds per cycle), allocs_per_cycle (heap allocations inside the
// cycle in steady state), and step_ns_per_aircraft (the per-cycle step alone).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "airports/airport.h"
#include "bench_support.h"
#include "runstate/cycle_clock.h"
#include "traffic/cycle_step.h"
#include "traffic/first_links.h"
#include "traffic/traffic_cycle.h"

namespace tfx {
namespace {

using bench_support::CycleTimer;
using bench_support::BenchSimulator;

constexpr int kAircraft = 500;
constexpr uint32_t kFirstHexid = 0x500000;
// Every aircraft reports every 250 cycles; every other report moves it on.
constexpr int32_t kReportEvery = 250;
constexpr double kDegreesPerMove = 0.005;

TrafficReport reportFor(int index, int32_t cycle) {
  TrafficReport report = bench_support::airborneReport(kFirstHexid, index, cycle);
  report.altitude = 20000 + 2.0 * (cycle / (2 * kReportEvery));
  report.verticalSpeed = 100;
  // The speed the points are apart: 0.005 degrees north and east each 5 s.
  report.groundSpeed = 260;
  report.tas = 260;
  report.track = 34;
  const double moves = static_cast<double>(cycle / (2 * kReportEvery));
  report.lat = 47.0 + index * 0.002 + moves * kDegreesPerMove;
  report.lon = 8.0 + moves * kDegreesPerMove;
  return report;
}

struct Bench {
  TrafficState state;
  FirstLinks first;
  BenchSimulator simulator;
  TrafficQueue queue;
  TrafficContext context{state, first.links(), simulator};
  TrafficCycle cycle{context, queue};

  Bench() {
    airports::parkAirport() = {};
    cycleNumber().store(0);
    state.reserve();
    for (int i = 0; i < kAircraft; ++i) {
      LiveAircraft& aircraft = state.liveList.emplace_back();
      const TrafficReport first = reportFor(i, 0);
      aircraft.hexid = first.hexid;
      aircraft.callsign = first.callsign;
      aircraft.type = first.type;
      aircraft.climbLimit = 0.6;
      aircraft.altitudeAboveGround = 18000;
      aircraft.history.push_back(trackPointOf(first));
      aircraft.block.lat = first.lat;
      aircraft.block.lon = first.lon;
      aircraft.block.altitude = first.altitude;
      aircraft.state = SimState::Active;
      aircraft.phase = FlightPhase::Flying;
      aircraft.objectId = 1000 + static_cast<uint32_t>(i);
    }
  }

  void feed(int32_t cycle) {
    const int first = static_cast<int>((cycle * 2) % kAircraft);
    std::lock_guard lock(queue.mutex);
    queue.reports.push_back(reportFor(first, cycle));
    queue.reports.push_back(reportFor(first + 1, cycle));
  }

  // What the simulator thread's frame work does with the events.
  void sendEvents() {
    std::lock_guard lock(simulator.lists.positionMutex());
    simulator.lists.events.clear();
  }

  void warmUp() {
    for (int32_t c = 0; c < 20000; ++c) {
      feed(cycleNumber().load());
      cycle.trafficCycle();
      sendEvents();
    }
  }
};

void BM_MotionCycle500Airborne(benchmark::State& bench) {
  Bench world;
  world.warmUp();
  CycleTimer timer;
  for (auto _ : bench) {
    world.feed(cycleNumber().load());
    timer.time([&] { world.cycle.trafficCycle(); });
    world.sendEvents();
  }
  timer.report(bench);
  size_t active = 0;
  for (const LiveAircraft& aircraft : world.state.liveList) active += aircraft.state == SimState::Active ? 1 : 0;
  bench.counters["active"] = static_cast<double>(active);
}
BENCHMARK(BM_MotionCycle500Airborne)->Iterations(200000)->Repetitions(3);

void BM_PerCycleStep(benchmark::State& bench) {
  Bench world;
  world.warmUp();
  for (auto _ : bench) {
    for (LiveAircraft& aircraft : world.state.liveList) movePerCycle(world.context, aircraft);
    benchmark::ClobberMemory();
  }
  bench.counters["step_ns_per_aircraft"] = benchmark::Counter(
      static_cast<double>(bench.iterations()) * kAircraft, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PerCycleStep)->Iterations(20000);

}  // namespace
}  // namespace tfx
