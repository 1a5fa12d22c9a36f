#pragma once
// One run of the traffic lab: cycle n at t = n/100 s on a virtual clock, each
// datagram of the recording decoded just before the first cycle at or after
// its offset, the simulator's frames between the cycles, and the files of DIR.
#include <cstdint>
#include <map>
#include <string>

#include "lab_ground.h"
#include "lab_options.h"

namespace tfx::lab {

struct LabSummary {
  int64_t cycles = 0;
  double seconds = 0;
  int64_t datagrams = 0;
  int64_t reports = 0;
  int64_t created = 0;
  int64_t spawned = 0;
  int64_t dropped = 0;
  int64_t removed = 0;  // records erased
  size_t maxLive = 0;
  size_t maxActive = 0;
  double cycleMicrosMean = 0;
  double cycleMicrosP99 = 0;
  double wallSeconds = 0;
  std::map<std::string, int64_t, std::less<>> dropReasons;
  int64_t staticCreated = 0;
  // Static aircraft whose stand has no option for them at the half-hour they were chosen for.
  int64_t staticMismatched = 0;
  int64_t arrivals = 0;
  int64_t pushBacks = 0;
  int64_t pullOuts = 0;
  GroundFigures ground;
};

// Throws std::runtime_error for input that cannot be read (the recording with
// "FILE:LINE: what" before anything is written).
LabSummary runLab(const LabOptions& options);

}  // namespace tfx::lab
