#include "core/geodesy.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tfx {
namespace {

TEST(Geodesy, DistanceAndBearingAlongAMeridian) {
  const LatLon south{47.0, 8.5};
  const LatLon north{48.0, 8.5};
  EXPECT_NEAR(gf_distanceNm(south, north), 60.0, 1e-9);
  EXPECT_NEAR(gf_distanceNm(north, south), gf_distanceNm(south, north), 1e-12);
  EXPECT_NEAR(gf_bearingRad(south, north), 0.0, 1e-12);
  EXPECT_NEAR(gf_bearingRad(north, south), kTwoPi / 2, 1e-12);
}

TEST(Geodesy, EqualPointsAndZeroDistance) {
  const LatLon zurich{47.4647, 8.5492};
  EXPECT_EQ(gf_distanceNm(zurich, zurich), 0.0);
  EXPECT_EQ(gf_bearingRad(zurich, zurich), 0.0);
  const LatLon same = gf_destinationPoint(zurich, 1.234, 0.0);
  EXPECT_NEAR(same.lat, zurich.lat, 1e-12);
  EXPECT_NEAR(same.lon, zurich.lon, 1e-12);
}

TEST(Geodesy, BearingStaysInsideTheCircle) {
  // Due west gives a negative atan2 that must be folded into [0, 2 pi).
  const double west = gf_bearingRad({10.0, 10.0}, {10.0, 9.0});
  EXPECT_GE(west, 0.0);
  EXPECT_LT(west, kTwoPi);
  EXPECT_NEAR(west, 3 * kTwoPi / 4, 0.01);
}

TEST(Geodesy, DestinationCrossesTheDateLine) {
  const double tenNmInFeet = 10 * kMetersPerNm / 0.3048;
  const LatLon east = gf_destinationPoint({0.0, 179.9}, kTwoPi / 4, tenNmInFeet);
  EXPECT_LT(east.lon, -179.0);
  EXPECT_GE(east.lon, -180.0);
  EXPECT_NEAR(east.lon, -179.93333, 1e-4);
  EXPECT_NEAR(east.lat, 0.0, 1e-9);
  // And the way back measures the same ten miles.
  EXPECT_NEAR(gf_distanceNm({0.0, 179.9}, east), 10.0, 1e-6);
}

TEST(Geodesy, DestinationAgreesWithDistanceAndBearing) {
  const LatLon start{52.3086, 4.7639};
  const double feet = 3.2 * kMetersPerNm / 0.3048;
  const LatLon end = gf_destinationPoint(start, 0.8, feet);
  EXPECT_NEAR(gf_distanceNm(start, end), 3.2, 1e-6);
  EXPECT_NEAR(gf_bearingRad(start, end), 0.8, 1e-6);
  EXPECT_EQ(formatLatLon(start), "52.308600,4.763900");
}

}  // namespace
}  // namespace tfx
