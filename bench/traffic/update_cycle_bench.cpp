// The traffic cycle on one core with 500 live records, half waiting in the
// buffer and half shown, and 2 reports per cycle (200 per second). Counters:
// cycle_us_mean and cycle_us_p99 (microseconds per cycle), allocs_per_cycle
// (heap allocations inside the cycle once the records exist), and the bytes
// one record with a 60-point history takes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench_support.h"
#include "runstate/cycle_clock.h"
#include "traffic/first_links.h"
#include "traffic/traffic_cycle.h"

namespace tfx {
namespace {

using bench_support::CycleTimer;
using bench_support::BenchSimulator;
using bench_support::heldBytes;

constexpr int kRecords = 500;
constexpr uint32_t kFirstHexid = 0x400000;

TrafficReport reportFor(int index, int32_t cycle) {
  TrafficReport report = bench_support::airborneReport(kFirstHexid, index, cycle);
  report.altitude = 20000;
  report.groundSpeed = 300;
  report.tas = 300;
  report.track = 45;
  const bool shown = index % 2 == 0;
  // Shown aircraft fly on; buffered ones report the same place, which a newborn refuses.
  report.lat = 47.0 + (shown ? cycle * 1e-5 : 0.0) + index * 0.001;
  report.lon = 8.0 + (shown ? cycle * 1e-5 : 0.0);
  return report;
}

struct Bench {
  TrafficState state;
  FirstLinks first;
  BenchSimulator simulator;
  TrafficQueue queue;
  TrafficCycle cycle{{state, first.links(), simulator}, queue};

  Bench() {
    cycleNumber().store(0);
    state.reserve();
    for (int i = 0; i < kRecords; ++i) {
      LiveAircraft& aircraft = state.liveList.emplace_back();
      const TrafficReport first = reportFor(i, 0);
      aircraft.hexid = first.hexid;
      aircraft.callsign = first.callsign;
      aircraft.type = first.type;
      aircraft.history.push_back(trackPointOf(first));
      if (i % 2 == 0) {
        aircraft.state = SimState::Active;
        aircraft.phase = FlightPhase::Flying;
        aircraft.objectId = 1000 + static_cast<uint32_t>(i);
      } else {
        // Due long after the benchmark ends.
        aircraft.history.front().stamp = 1 << 30;
      }
    }
  }

  void feed(int32_t cycle) {
    // Two records a cycle, each one every 250 cycles (2.5 s).
    const int first = static_cast<int>((cycle * 2) % kRecords);
    queue.reports.push_back(reportFor(first, cycle));
    queue.reports.push_back(reportFor(first + 1, cycle));
  }
};

void BM_TrafficCycle500Records(benchmark::State& bench) {
  Bench world;
  // Warm-up: every record has taken reports, every list has its room.
  for (int32_t c = 0; c < 20000; ++c) {
    world.feed(cycleNumber().load());
    world.cycle.trafficCycle();
  }
  CycleTimer timer;
  for (auto _ : bench) {
    world.feed(cycleNumber().load());
    timer.time([&] { world.cycle.trafficCycle(); });
  }
  timer.report(bench);
  bench.counters["records"] = static_cast<double>(world.state.liveList.size());
}
BENCHMARK(BM_TrafficCycle500Records)->Iterations(200000)->Repetitions(3);

void BM_RecordWithSixtyPoints(benchmark::State& bench) {
  for (auto _ : bench) {
    const int64_t before = heldBytes.load();
    auto aircraft = std::make_unique<LiveAircraft>();
    aircraft->airline = "SWR";
    aircraft->type = "A20N";
    aircraft->callsign = "SWR12AB";
    aircraft->registration = "HB-JDA";
    for (int i = 0; i < 60; ++i) aircraft->history.push_back(trackPointOf(reportFor(0, i)));
    bench.counters["record_bytes"] = static_cast<double>(heldBytes.load() - before);
    benchmark::DoNotOptimize(aircraft);
  }
}
BENCHMARK(BM_RecordWithSixtyPoints)->Iterations(10);

}  // namespace
}  // namespace tfx
