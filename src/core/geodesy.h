#pragma once
// Spherical-earth distances and bearings on a sphere where one minute of arc
// is one nautical mile. Pure functions, safe on any thread.
#include <string>

namespace tfx {

inline constexpr double kDegToRad = 0.017453292519943295;
inline constexpr double kRadToDeg = 57.29577951308232;
inline constexpr double kEarthRadiusNm = 3437.7467707849396;
inline constexpr double kTwiceEarthRadiusNm = 6875.493541569878;
inline constexpr double kInverseEarthRadiusFeet = 4.787404208238998e-8;
inline constexpr double kTwoPi = 6.283185307179586;
inline constexpr double kMetersPerNm = 1852.0;

struct LatLon {
  double lat = 0.0;  // degrees, north positive
  double lon = 0.0;  // degrees, east positive
};

// Great-circle distance in nautical miles (haversine).
double gf_distanceNm(const LatLon& a, const LatLon& b);

// Initial great-circle bearing from `from` towards `to`, radians in [0, 2 pi).
double gf_bearingRad(const LatLon& from, const LatLon& to);

// The point reached from `start` along the great circle leaving it with the
// bearing (radians) after the distance (feet).
LatLon gf_destinationPoint(const LatLon& start, double bearingRad, double distanceFeet);

// "{:.6f},{:.6f}" as positions are written in the log.
std::string formatLatLon(const LatLon& position);

}  // namespace tfx
