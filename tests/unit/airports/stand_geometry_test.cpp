// Overlapping stands, the fit test, the nearest stand and made-up occupancies.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include "aircraft/aircraft_queries.h"
#include "airports/fake_options.h"
#include "airports/stand_geometry.h"
#include "core/parameters.h"
#include "stand_file_fixture.h"

namespace tfx::airports {
namespace {

constexpr double kNm = 1.0 / 1852.0;

// A stand east of 47 N 8 E by the given metres along the parallel.
Stand standAt(int index, double eastMeters, double radiusMeters) {
  Stand stand;
  stand.index = index;
  stand.id = "S" + std::to_string(index);
  stand.lat = 47.0;
  stand.lon = 8.0 + eastMeters * kNm / 60.0 / std::cos(47.0 * kDegToRad);
  stand.radius = radiusMeters * kNm;
  return stand;
}

TEST(OverlapTableTest, CirclesOverlapWhenDistanceWithMarginIsBelowTheRadii) {
  std::vector<Stand> near{standAt(1, 0, 8), standAt(2, 10, 8), standAt(3, 25, 8), standAt(4, 500, 100)};
  buildOverlapTable(near);
  EXPECT_EQ(near[0].overlaps, (std::vector<int>{2}));
  // 15 m apart: 16.5 is not below 16.
  EXPECT_EQ(near[1].overlaps, (std::vector<int>{1}));
  EXPECT_TRUE(near[2].overlaps.empty());
  EXPECT_TRUE(near[3].overlaps.empty());
  // Stands north and south of each other, one large one far off: the large radius widens every search.
  std::vector<Stand> column{standAt(1, 0, 30), standAt(2, 0, 30), standAt(3, 0, 420)};
  column[1].lat += 50.0 * kNm / 60.0;
  column[2].lat -= 400.0 * kNm / 60.0;
  buildOverlapTable(column);
  EXPECT_EQ(column[0].overlaps, (std::vector<int>{2, 3}));
  EXPECT_EQ(column[1].overlaps, (std::vector<int>{1}));
  EXPECT_EQ(column[2].overlaps, (std::vector<int>{1}));
}

TEST(FitTest, HalfSpanAgainstRadius) {
  const Stand stand = standAt(1, 0, 20);
  EXPECT_TRUE(gf_fitsStand(stand, 21.7 * kNm));
  EXPECT_FALSE(gf_fitsStand(stand, 21.95 * kNm));
  // A large aircraft (over 17.8 m) may fall short by up to 10.5 m.
  EXPECT_TRUE(gf_fitsStand(stand, 18.0 * kNm));
  EXPECT_FALSE(gf_fitsStand(standAt(1, 0, 29), 18.0 * kNm));
  EXPECT_TRUE(gf_fitsStand(standAt(1, 0, 28), 18.0 * kNm));
  // A small one only by up to 7 m.
  EXPECT_TRUE(gf_fitsStand(standAt(1, 0, 17), 10.5 * kNm));
  EXPECT_FALSE(gf_fitsStand(standAt(1, 0, 18), 10.5 * kNm));
}

TEST(StandPositionsTest, NearestWithinTheRadius) {
  std::vector<Stand> stands{standAt(1, 0, 20), standAt(2, 40, 20), standAt(3, 90, 20)};
  stands[1].lat += 0.00001;
  const StandPositions positions(stands);
  const LatLon east30 = standAt(0, 30, 0).position();
  ASSERT_NE(positions.nearest(east30, 55 * kNm), nullptr);
  EXPECT_EQ(positions.nearest(east30, 55 * kNm)->id, "S2");
  EXPECT_EQ(positions.nearest(standAt(0, 150, 0).position(), 55 * kNm), nullptr);
  EXPECT_EQ(positions.nearest(standAt(0, 140, 0).position(), 55 * kNm)->index, 3);
  EXPECT_EQ(StandPositions().nearest(east30, 55 * kNm), nullptr);
}

TEST(FakeOptionsTest, CandidatesByKindAndRegionThatFit) {
  test::StandFolder install;
  RANDOM.set(false);
  std::vector<Stand> stands{standAt(1, 0, 18), standAt(2, 100, 6), standAt(3, 200, 18), standAt(4, 300, 6),
                            standAt(5, 400, 2)};
  stands[1].heli = true;
  stands[2].cargo = true;
  stands[3].ramp = true;
  gf_addFakeOptions(stands, "EHAM", 5, 20);
  // The fixture knows B738 (17.9 m half span) of the European list.
  ASSERT_EQ(stands[0].options.size(), 1u);
  EXPECT_EQ(stands[0].options[0].airline, "RYR");
  EXPECT_EQ(stands[0].options[0].type, "B738");
  EXPECT_EQ(stands[0].options[0].day, 5);
  EXPECT_TRUE(stands[0].options[0].halfHours.test(20));
  EXPECT_EQ(stands[0].options[0].origin, 1);
  EXPECT_EQ(stands[1].options[0].type, "EC35");
  EXPECT_EQ(stands[3].options[0].type, "C172");
  EXPECT_EQ(stands[3].options[0].callsign, "FAKE3");
  EXPECT_TRUE(stands[4].options.empty());
  std::vector<Stand> elsewhere{standAt(1, 0, 2)};
  gf_addFakeOptions(elsewhere, "LSZH", 1, 0);
  EXPECT_EQ(elsewhere[0].options[0].airline, "ZZZ");
}

}  // namespace
}  // namespace tfx::airports
