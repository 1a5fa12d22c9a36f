#pragma once
// Choices among equal candidates. With RANDOM on they are drawn from a
// per-thread Mersenne Twister; with it off the first candidate is taken and
// lists keep their order, so every run is the same.
#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace tfx {

std::mt19937& randomEngine();
// Makes the calling thread's draws repeatable.
void seedRandomEngine(uint32_t seed);

bool randomChoicesEnabled();

// 0 when RANDOM is off or n < 2, else a draw modulo n.
int randomIndex(int n);

template <typename T>
void shuffleIfRandom(std::vector<T>& items) {
  if (randomChoicesEnabled() && items.size() > 1) std::shuffle(items.begin(), items.end(), randomEngine());
}

}  // namespace tfx
