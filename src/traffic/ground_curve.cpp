#include "traffic/ground_curve.h"

#include <algorithm>
#include <cmath>

#include "core/log.h"
#include "core/log_line.h"
#include "traffic/motion_math.h"

namespace tfx {
namespace {

constexpr double kMetresPerDegree = 111132.95;
constexpr double kLastParameter = 0.999999;

}  // namespace

GroundCurve makeGroundCurve(const LatLon& start, const LatLon& control, const LatLon& end, int32_t cycles) {
  GroundCurve curve;
  curve.origin = start;
  curve.metresPerDegreeLon = kMetresPerDegree * std::cos(start.lat * kDegToRad);
  curve.controlNorth = (control.lat - start.lat) * kMetresPerDegree;
  curve.controlEast = std::remainder(control.lon - start.lon, 360.0) * curve.metresPerDegreeLon;
  curve.endNorth = (end.lat - start.lat) * kMetresPerDegree;
  curve.endEast = std::remainder(end.lon - start.lon, 360.0) * curve.metresPerDegreeLon;
  curve.step = 1.0 / std::max(1, cycles);
  return curve;
}

LatLon curvePoint(const GroundCurve& curve, double u) {
  const double a = 2.0 * (1.0 - u) * u;
  const double b = u * u;
  const double north = a * curve.controlNorth + b * curve.endNorth;
  const double east = a * curve.controlEast + b * curve.endEast;
  return {curve.origin.lat + north / kMetresPerDegree, curve.origin.lon + east / curve.metresPerDegreeLon};
}

double curveDirection(const GroundCurve& curve, double u) {
  const double north = 2.0 * (1.0 - u) * curve.controlNorth + 2.0 * u * (curve.endNorth - curve.controlNorth);
  const double east = 2.0 * (1.0 - u) * curve.controlEast + 2.0 * u * (curve.endEast - curve.controlEast);
  return wrapHeading(std::atan2(east, north));
}

void startCurve(LiveAircraft& aircraft, const GroundCurve& curve) {
  aircraft.motion.curve = curve;
  aircraft.motion.curveParameter = 0.0;
  aircraft.motion.curveDefinition = 1;
}

bool followCurve(LiveAircraft& aircraft) {
  MotionValues& m = aircraft.motion;
  m.curveParameter = std::clamp(m.curveParameter + m.curve.step, 0.0, kLastParameter);
  const LatLon point = curvePoint(m.curve, m.curveParameter);
  const double direction = curveDirection(m.curve, m.curveParameter);
  if (!std::isfinite(point.lat) || !std::isfinite(point.lon) || !std::isfinite(direction)) {
    writeLogLine("{} error in curve at index: {:.2F}", aircraft.callsign, m.curveParameter);
    m.curveDefinition = 0;
    return false;
  }
  aircraft.block.lat = point.lat;
  aircraft.block.lon = point.lon;
  turnTowards(aircraft.block, m.curve.backward ? direction + M_PI : direction, m.turnRate);
  return true;
}

}  // namespace tfx
