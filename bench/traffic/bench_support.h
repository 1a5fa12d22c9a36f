#pragma once
// What the traffic benchmarks share: heap allocations and held bytes counted
// by replacing the global operator new (include in one file per benchmark
// program), and a simulator that is only its exchange lists.
#include <malloc.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string_view>

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

  sim::ExchangeLists lists;
};

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
