#include "core/geodesy.h"

#include <fmt/format.h>

#include <cmath>

namespace tfx {

double gf_distanceNm(const LatLon& a, const LatLon& b) {
  const double phi1 = a.lat * kDegToRad;
  const double phi2 = b.lat * kDegToRad;
  const double sinHalfDeltaPhi = std::sin((phi2 - phi1) / 2.0);
  const double sinHalfDeltaLambda = std::sin((b.lon - a.lon) * kDegToRad / 2.0);
  const double h = sinHalfDeltaPhi * sinHalfDeltaPhi + std::cos(phi2) * std::cos(phi1) * sinHalfDeltaLambda * sinHalfDeltaLambda;
  return kTwiceEarthRadiusNm * std::atan2(std::sqrt(h), std::sqrt(1.0 - h));
}

double gf_bearingRad(const LatLon& from, const LatLon& to) {
  const double phi1 = from.lat * kDegToRad;
  const double phi2 = to.lat * kDegToRad;
  const double deltaLambda = (to.lon - from.lon) * kDegToRad;
  const double y = std::sin(deltaLambda) * std::cos(phi2);
  const double x = std::sin(phi2) * std::cos(phi1) - std::sin(phi1) * std::cos(phi2) * std::cos(deltaLambda);
  double theta = std::atan2(y, x);
  if (theta < 0.0) theta += kTwoPi;
  return theta;
}

LatLon gf_destinationPoint(const LatLon& start, double bearingRad, double distanceFeet) {
  const double phi1 = start.lat * kDegToRad;
  const double lambda1 = start.lon * kDegToRad;
  const double delta = distanceFeet * kInverseEarthRadiusFeet;
  const double phi2 =
      std::asin(std::cos(bearingRad) * std::sin(delta) * std::cos(phi1) + std::cos(delta) * std::sin(phi1));
  const double lambda2 = std::remainder(
      std::atan2(std::sin(bearingRad) * std::sin(delta) * std::cos(phi1), std::cos(delta) - std::sin(phi2) * std::sin(phi1)) +
          lambda1,
      kTwoPi);
  return {phi2 * kRadToDeg, lambda2 * kRadToDeg};
}

std::string formatLatLon(const LatLon& position) { return fmt::format("{:.6f},{:.6f}", position.lat, position.lon); }

}  // namespace tfx
