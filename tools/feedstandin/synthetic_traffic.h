#pragma once
// Airborne aircraft that circle a centre at their own radius, height and
// speed, reported with every field a live feed fills.
#include <string>
#include <vector>

namespace feedstandin {

struct SyntheticScenario {
  int aircraft = 0;
  double centerLat = 0.0;
  double centerLon = 0.0;
};

// One traffic datagram per aircraft for the moment `elapsedSeconds` after the
// start, reported at `unixSeconds`.
std::vector<std::string> syntheticDatagrams(const SyntheticScenario& scenario, double elapsedSeconds,
                                            double unixSeconds);

}  // namespace feedstandin
