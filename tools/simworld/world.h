#pragma once
// A generated simulator world: the simulator's folders, add-on packages with
// AI aircraft in the syntax users install (with their usual faults), and a
// manifest of what every livery was built to be.
#include <cstdint>
#include <filesystem>

#include "world_sources.h"

namespace tfx::simworld {

struct WorldOptions {
  std::filesystem::path out;
  size_t cfgFiles = 40;
  size_t liveries = 120;  // [fltsim.N] sections written
  uint32_t seed = 1;
  double trapRate = 0.2;  // share of files and sections built with a fault
  SourceFiles sources;
};

struct WorldSummary {
  size_t cfgFiles = 0;
  size_t sections = 0;
  size_t liveries = 0;  // sections built to become liveries
  size_t folders = 0;
};

// Same options, same world, byte for byte.
WorldSummary generateWorld(const WorldOptions& options);

}  // namespace tfx::simworld
