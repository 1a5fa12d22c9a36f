#pragma once
// What the traffic benchmarks share: heap allocations and held bytes counted
// by replacing the global operator new (include in one file per benchmark
// program), a simulator that is only its exchange lists, and the timing of
// traffic cycles.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "realtraffic/traffic_queue.h"
#include "traffic/traffic_links.h"

namespace tfx::bench_support {

inline std::atomic<int64_t> allocations{0};
// Bytes held on the heap right now, as the allocator hands them out.
inline std::atomic<int64_t> heldBytes{0};

inline void release(void* memory) {
  if (memory == nullptr) return;
  heldBytes.fetch_sub(static_cast<int64_t>(malloc_usable_size(memory)), std::memory_order_relaxed);
  std::free(memory);
}

class BenchSimulator final : public CycleSimulator {
 public:
  BenchSimulator() { lists.reserve(); }
  sim::ExchangeLists& exchange() override { return lists; }
  double frameRate() const override { return 30.0; }
  LatLon userPosition() const override { return {47.4647, 8.5492}; }
  size_t waitingLiveCreates() override { return 0; }
  void periodicRequests(int32_t, bool) override {}
  void requestObjectShape(uint32_t) override {}
  void allLightsToggle(uint32_t) override {}
  int32_t assignFlightPlan(uint32_t, std::string_view) override { return 0; }
  void writeAiControls(uint32_t, double, double) override {}

  sim::ExchangeLists lists;
};

// Times traffic cycles and counts the heap allocations inside them; reports
// cycle_us_mean, cycle_us_p99 and allocs_per_cycle.
class CycleTimer {
 public:
  CycleTimer() { micros_.reserve(1'000'000); }

  template <typename Cycle>
  void time(Cycle&& cycle) {
    const int64_t before = allocations.load();
    const auto start = std::chrono::steady_clock::now();
    cycle();
    const auto end = std::chrono::steady_clock::now();
    allocationsInCycles_ += allocations.load() - before;
    ++cycles_;
    if (micros_.size() < micros_.capacity()) micros_.push_back(std::chrono::duration<double, std::micro>(end - start).count());
  }

  void report(benchmark::State& state) {
    if (micros_.empty()) return;
    double total = 0;
    for (double value : micros_) total += value;
    const size_t p99 = micros_.size() * 99 / 100;
    std::nth_element(micros_.begin(), micros_.begin() + static_cast<ptrdiff_t>(p99), micros_.end());
    state.counters["cycle_us_mean"] = total / static_cast<double>(micros_.size());
    state.counters["cycle_us_p99"] = micros_[p99];
    state.counters["allocs_per_cycle"] = static_cast<double>(allocationsInCycles_) / static_cast<double>(cycles_);
  }

 private:
  std::vector<double> micros_;
  int64_t allocationsInCycles_ = 0;
  int64_t cycles_ = 0;
};

// An airborne A320 report of aircraft `index` made at `cycle`; the bench sets
// where it is and how fast it goes.
inline TrafficReport airborneReport(uint32_t firstHexid, int index, int32_t cycle) {
  TrafficReport report;
  report.hexid = firstHexid + static_cast<uint32_t>(index);
  report.callsign = "SWR" + std::to_string(index);
  report.type = "A320";
  report.timestamp = cycle / 100.0;
  report.stamp = cycle + kReportDelayCycles;
  report.airborne = true;
  return report;
}

}  // namespace tfx::bench_support

void* operator new(std::size_t size) {
  tfx::bench_support::allocations.fetch_add(1, std::memory_order_relaxed);
  void* memory = std::malloc(size == 0 ? 1 : size);
  if (memory == nullptr) throw std::bad_alloc();
  tfx::bench_support::heldBytes.fetch_add(static_cast<int64_t>(malloc_usable_size(memory)), std::memory_order_relaxed);
  return memory;
}
void operator delete(void* memory) noexcept { tfx::bench_support::release(memory); }
void operator delete(void* memory, std::size_t) noexcept { tfx::bench_support::release(memory); }
