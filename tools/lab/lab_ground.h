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
// in how many of those the feed itself had put them that close, and how close
// they came.
struct OverlapPair {
  int64_t frames = 0;
  int64_t framesAsReported = 0;
  double closestM = 0;
};

struct GroundFigures {
  double parkErrorMaxM = 0;
  double parkHeadingErrorMaxDeg = 0;
  int64_t groundOverlaps = 0;
  // Frames whose every overlap is between two live aircraft whose own ground
  // reports came as close in the window the frame shows: the feed's overlaps,
  // which following the reports faithfully reproduces.
  int64_t groundOverlapsAsReported = 0;
  double groundJumpMaxM = 0;
  // By the names of the two (callsigns, a static aircraft's followed by
  // " (static)"), the smaller first.
  std::map<std::pair<std::string, std::string>, OverlapPair> overlapPairs;
};

// Where the feed reported each aircraft on the ground, in the order the
// reports came, on the lab's clock.
class ReportedGround {
 public:
  void add(uint32_t hexid, double seconds, const LatLon& position);
  // Whether, within the window a frame at `frameSeconds` shows (the report
  // delay, and the re-timing's room behind and ahead), one aircraft's
  // reported ground track, its reports joined by straight legs, passed closer
  // than `apartNm` to where the other was reported at most two seconds from it.
  bool cameWithin(uint32_t a, uint32_t b, double frameSeconds, double apartNm) const;

 private:
  struct Place {
    double seconds = 0;
    LatLon position;
  };
  static bool legPassedWithin(const std::vector<Place>& legs, const std::vector<Place>& points, double from, double to,
                              double apartNm);
  std::unordered_map<uint32_t, std::vector<Place>> places_;
};

class GroundWatch {
 public:
  explicit GroundWatch(const ReportedGround& reported) : reported_(reported) {}
  void frame(double seconds, const simstandin::World& world, const TrafficState& traffic);
  const GroundFigures& figures() const { return figures_; }

 private:
  struct OnGround {
    LatLon position;
    double halfWingspanNm = 0;
    const std::string* callsign = nullptr;
    uint32_t hexid = 0;  // 0 for a static aircraft
    std::string name() const { return hexid == 0 ? *callsign + " (static)" : *callsign; }
  };
  void countOverlaps(double seconds);

  const ReportedGround& reported_;

  // Where each object stood on the ground in the previous frame.
  std::unordered_map<uint32_t, LatLon> previous_;
  std::vector<OnGround> standing_;
  GroundFigures figures_;
};

}  // namespace tfx::lab
