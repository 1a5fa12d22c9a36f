#pragma once
// What the lab measures of aircraft on the ground frame by frame: how well
// parked live aircraft stand on their stands, in how many frames two
// aircraft on the ground stand in each other, and the largest step of an
// aircraft on the ground between two frames.
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "traffic/traffic_links.h"
#include "traffic/traffic_state.h"
#include "world.h"

namespace tfx::lab {

// Two aircraft on the ground that stood in each other: in how many frames,
// and how close they came.
struct OverlapPair {
  int64_t frames = 0;
  double closestM = 0;
};

struct GroundFigures {
  double parkErrorMaxM = 0;
  double parkHeadingErrorMaxDeg = 0;
  int64_t groundOverlaps = 0;
  double groundJumpMaxM = 0;
  // By the names of the two (callsigns, a static aircraft's followed by
  // " (static)"), the smaller first.
  std::map<std::pair<std::string, std::string>, OverlapPair> overlapPairs;
};

class GroundWatch {
 public:
  void frame(const simstandin::World& world, const TrafficState& traffic);
  const GroundFigures& figures() const { return figures_; }

 private:
  struct OnGround {
    LatLon position;
    double halfWingspanNm = 0;
    const std::string* callsign = nullptr;
    bool isStatic = false;
    std::string name() const { return isStatic ? *callsign + " (static)" : *callsign; }
  };
  void countOverlaps();

  // Where each object stood on the ground in the previous frame.
  std::unordered_map<uint32_t, LatLon> previous_;
  std::vector<OnGround> standing_;
  GroundFigures figures_;
};

}  // namespace tfx::lab
