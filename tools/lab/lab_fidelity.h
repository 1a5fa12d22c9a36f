#pragma once
// How faithfully the lab's frames of one aircraft follow its real track: each
// frame whose delayed real time lies within the track, against the reports of
// a window around that time.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/geodesy.h"

namespace tfx::lab {

struct RealPoint {
  double seconds = 0;  // offset in the recording
  double lat = 0, lon = 0;
  double altitude = 0;  // feet; the ground elevation for a ground report
  double groundSpeed = 0;  // knots
  bool airborne = false;
};

struct ShownFrame {
  double seconds = 0;
  double lat = 0, lon = 0;
  double altitude = 0;  // feet
  bool onGround = false;
  uint32_t objectId = 0;  // the simulator object that showed the aircraft
};

struct FidelityOptions {
  double delaySeconds = 30.0;
  double groundElevation = 0.0;  // feet
  // The shown aircraft may run this far behind or ahead of the delayed real time.
  double behindSeconds = 20.0;
  double aheadSeconds = 10.0;
  std::optional<std::pair<LatLon, LatLon>> runway;  // its two ends
};

struct Fidelity {
  int64_t framesAir = 0;
  int64_t framesGround = 0;
  double lateralMaxM = 0, lateralP95M = 0;
  double verticalMaxFt = 0;
  double jumpRatioAir = 0, jumpRatioGround = 0;
  int64_t framesBelowGroundAir = 0;
  // The first on-ground frame after an airborne one, along the runway from
  // the end the aircraft came from, as a share of the length, and across it.
  std::optional<LatLon> touchdown;
  std::optional<double> touchdownAlongM, touchdownFraction, touchdownCrossM;
};

// The hexid's reports of a recording (format: docs/feedstandin.md); the
// ground ones at `groundElevation`. Throws std::runtime_error for a bad file.
std::vector<RealPoint> readRealTrack(const std::filesystem::path& recording, uint32_t hexid, double groundElevation);
// The hexid's rows of a lab frames.csv, in time order. Throws std::runtime_error for a bad file.
std::vector<ShownFrame> readShownFrames(const std::filesystem::path& frames, uint32_t hexid);

// Metres from `point` to the straight line between `a` and `b`, in a flat
// frame around the point: the way aircraft are moved between two reports.
double distanceToSegmentM(const LatLon& point, const LatLon& a, const LatLon& b);

Fidelity measureFidelity(const std::vector<RealPoint>& real, const std::vector<ShownFrame>& shown,
                         const FidelityOptions& options);

}  // namespace tfx::lab
