// The fidelity's jump measure: steps between frames of one object against
// the real speed of the moment, at least 5 knots on the ground.
#include <gtest/gtest.h>

#include <numbers>
#include <vector>

#include "core/geodesy.h"
#include "lab_fidelity.h"

namespace tfx::lab {
namespace {

constexpr LatLon kApron{47.4500, 8.5600};
constexpr double kKnotMps = 1852.0 / 3600.0;

LatLon east(double metres) { return gf_destinationPoint(kApron, std::numbers::pi / 2.0, metres / 0.3048); }

// The real aircraft stands still at the apron from 0 s to 100 s.
std::vector<RealPoint> standingStill() {
  std::vector<RealPoint> real;
  for (int second = 0; second <= 100; ++second) real.push_back({double(second), kApron.lat, kApron.lon, 0, 0, false});
  return real;
}

ShownFrame groundFrame(double seconds, const LatLon& at, uint32_t objectId) {
  return {seconds, at.lat, at.lon, 0, true, objectId};
}

TEST(FidelityJump, AGroundStepIsMeasuredAgainstAtLeastFiveKnotsWithinOneObject) {
  // 30 s behind the reports, a step of 1 m in 0.2 s while the real aircraft stands still.
  const std::vector<ShownFrame> nudged{groundFrame(50.0, kApron, 7), groundFrame(50.2, east(1.0), 7)};
  const Fidelity stepped = measureFidelity(standingStill(), nudged, {});
  EXPECT_NEAR(stepped.jumpRatioGround, 1.0 / (5.0 * kKnotMps * 0.2), 1e-3);

  // The same hexid made again as another object 4 km away: no step at all.
  const std::vector<ShownFrame> remade{groundFrame(50.0, kApron, 7), groundFrame(50.2, east(4000.0), 8)};
  EXPECT_EQ(measureFidelity(standingStill(), remade, {}).jumpRatioGround, 0.0);
}

}  // namespace
}  // namespace tfx::lab
