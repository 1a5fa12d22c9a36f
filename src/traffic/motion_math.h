#pragma once
// Small rules the motion of a live aircraft uses everywhere: angles, the same
// place, the shown position kept on the earth, and the re-timing tolerances.
#include <algorithm>
#include <cmath>

#include "aircraft/aircraft_category.h"
#include "traffic/live_aircraft.h"
#include "traffic/motion_tables.h"

namespace tfx {

// Radians in [0, 2 pi).
inline double wrapHeading(double radians) {
  if (radians >= 0.0 && radians < kTwoPi) return radians;
  double wrapped = std::fmod(radians, kTwoPi);
  if (wrapped < 0.0) wrapped += kTwoPi;
  return wrapped >= kTwoPi ? 0.0 : wrapped;
}

// Radians in (-pi, pi].
inline double angleDifference(double radians) {
  if (radians > -M_PI && radians <= M_PI) return radians;
  double wrapped = std::remainder(radians, kTwoPi);
  if (wrapped <= -M_PI) wrapped += kTwoPi;
  return wrapped;
}

inline bool samePlace(double latA, double lonA, double latB, double lonB) {
  return std::fabs(latA - latB) < kSamePlaceDegrees && std::fabs(lonA - lonB) < kSamePlaceDegrees;
}

inline bool samePlace(const TrackPoint& a, const TrackPoint& b) { return samePlace(a.lat, a.lon, b.lat, b.lon); }

inline LatLon positionOf(const TrackPoint& point) { return {point.lat, point.lon}; }
inline LatLon positionOf(const sim::PositionBlock& block) { return {block.lat, block.lon}; }

inline bool isRotorcraft(const LiveAircraft& aircraft) {
  return aircraft.category == static_cast<uint32_t>(AircraftCategory::Rotorcraft);
}

// The pitch (negative nose-up) that fits a vertical speed: climbs count up
// to 2400 feet per minute, descents to -3000 and half.
inline double airbornePitch(double verticalSpeedFpm) {
  const double fpm =
      verticalSpeedFpm > 0.0 ? std::min(verticalSpeedFpm, 2400.0) : std::max(verticalSpeedFpm, -3000.0) / 2.0;
  return -0.05235987755982989 - (fpm / 600.0) * 2.2 * kDegToRad;
}

// The heading turns towards `wanted` by at most `rate`, the shorter way
// round, unless it is within half a degree already.
inline void turnTowards(sim::PositionBlock& block, double wanted, double rate) {
  const double error = angleDifference(wanted - block.heading);
  if (std::fabs(error) <= 0.5 * kDegToRad) return;
  block.heading = wrapHeading(block.heading + std::clamp(error, -std::fabs(rate), std::fabs(rate)));
}

// Longitude in [-180, 180); a latitude beyond a pole comes back on the far side.
void keepOnEarth(sim::PositionBlock& block);

// Both tolerances back to 3000, the later one 5000 while taking off.
inline void resetTolerances(LiveAircraft& aircraft) {
  aircraft.motion.earlyTolerance = kTolerance;
  aircraft.motion.lateTolerance = aircraft.motion.takingOff ? kTakeOffLateTolerance : kTolerance;
}

// Both tolerances 100 less, to no less than 1000.
inline void narrowTolerances(LiveAircraft& aircraft) {
  MotionValues& m = aircraft.motion;
  m.earlyTolerance = std::max(kLeastTolerance, m.earlyTolerance - kToleranceStep);
  m.lateTolerance = std::max(kLeastTolerance, m.lateTolerance - kToleranceStep);
}

}  // namespace tfx
