#pragma once
// The park airport's stands and what was read and learned about them. One
// object, owned by the main program thread; other threads only look at
// standsLoaded.
#include <atomic>
#include <string>
#include <vector>

#include "airports/stand.h"

namespace tfx::airports {

struct ParkStands {
  std::vector<Stand> parkStands;
  AirportFileInfo info;
  std::string fileName;  // the stand file as found, the learned file's key
  int rtTrafficWeek = 0;
  QualityFactor quality;
  std::string qualityText;
  bool handmade = false;  // the learned file replaced the stand file
  int updates = 0;        // stand updates since the last save
  bool parametersChanged = false;
  double lateralRangeMeters = 0.0;
  // What the window shows of the park airport's parking controls.
  bool parkingPercentageEnabled = true;
  bool parkingControlsEnabled = false;
  std::atomic<bool> standsLoaded{false};
};

}  // namespace tfx::airports
