#include "core/random.h"

#include "core/parameters.h"

namespace tfx {

std::mt19937& randomEngine() {
  // Each thread draws from its own engine, seeded from the system's entropy.
  thread_local std::mt19937 engine{std::random_device{}()};
  return engine;
}

void seedRandomEngine(uint32_t seed) { randomEngine().seed(seed); }

bool randomChoicesEnabled() { return RANDOM.value(); }

int randomIndex(int n) {
  if (!randomChoicesEnabled() || n < 2) return 0;
  return static_cast<int>(randomEngine()() % static_cast<uint32_t>(n));
}

}  // namespace tfx
