// The lab's attribution of ground overlaps to the feed: two aircraft count as
// reported in each other only when their own reports, joined by straight
// legs, came that close at about the same time in the window a frame shows.
#include <gtest/gtest.h>

#include <numbers>

#include "core/geodesy.h"
#include "lab_ground.h"

namespace tfx::lab {
namespace {

constexpr LatLon kApron{47.4500, 8.5600};
constexpr double kReachNm = 34.0 / kMetersPerNm;  // two A320 half wingspans

LatLon east(double metres) { return gf_destinationPoint(kApron, std::numbers::pi / 2.0, metres / 0.3048); }
LatLon northOf(const LatLon& from, double metres) { return gf_destinationPoint(from, 0.0, metres / 0.3048); }

TEST(ReportedGround, OverlapsAreTheFeedsOnlyWhereItsTracksCameThatCloseAtThatTime) {
  ReportedGround reported;
  // Aircraft 1 stands at the apron's origin from 100 s to 140 s; aircraft 2
  // is reported 200 m north, then 200 m south, of a point 20 m east of it at
  // 110 s and 111 s: only the leg between its reports passes close.
  for (int second = 100; second <= 140; ++second) reported.add(1, second, kApron);
  reported.add(2, 110.0, northOf(east(20.0), 200.0));
  reported.add(2, 111.0, northOf(east(20.0), -200.0));
  reported.add(3, 110.0, northOf(east(60.0), 200.0));
  reported.add(3, 111.0, northOf(east(60.0), -200.0));

  // A frame at 140 s shows the reports of 110 s (30 s delay).
  EXPECT_TRUE(reported.cameWithin(1, 2, 140.0, kReachNm)) << "the leg passes 20 m away";
  EXPECT_TRUE(reported.cameWithin(2, 1, 140.0, kReachNm)) << "either order";
  EXPECT_FALSE(reported.cameWithin(1, 3, 140.0, kReachNm)) << "60 m is clear of both wings";
  // The window runs from 20 s behind to 10 s ahead of the delayed time.
  EXPECT_TRUE(reported.cameWithin(1, 2, 160.0, kReachNm));
  EXPECT_FALSE(reported.cameWithin(1, 2, 165.0, kReachNm)) << "too long ago for the frame";
  EXPECT_FALSE(reported.cameWithin(1, 2, 125.0, kReachNm)) << "still ahead of the frame";
  EXPECT_FALSE(reported.cameWithin(1, 4, 140.0, kReachNm)) << "an aircraft never reported";
}

TEST(ReportedGround, ReportsTenSecondsApartAreNotOneMoment) {
  ReportedGround reported;
  // Both stood on the same spot, but ten seconds apart: not at one moment.
  reported.add(1, 100.0, kApron);
  reported.add(2, 110.0, east(5.0));
  EXPECT_FALSE(reported.cameWithin(1, 2, 135.0, kReachNm));
  reported.add(2, 101.5, east(5.0));
  EXPECT_TRUE(reported.cameWithin(1, 2, 135.0, kReachNm));
}

}  // namespace
}  // namespace tfx::lab
