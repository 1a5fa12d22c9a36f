// Overlapping stands, the fit test, the nearest stand and made-up occupancies.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <array>
#include <random>

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

// Stands clustered so that many pairs lie near the overlap limit, some at
// the poles, across the date line, beyond the valid ranges or with radii
// below 0.
std::vector<Stand> scatteredStands(std::mt19937_64& random) {
  const std::array<LatLon, 5> centres{LatLon{47.0, 8.0}, LatLon{89.9995, 0.0}, LatLon{-12.0, 179.9998},
                                      LatLon{0.0, -180.0}, LatLon{95.0, 200.0}};
  std::uniform_real_distribution<double> offsetDeg(-0.002, 0.002);
  std::uniform_real_distribution<double> radiusM(-5.0, 60.0);
  std::vector<Stand> stands;
  for (int index = 1; index <= 400; ++index) {
    const LatLon& centre = centres[static_cast<size_t>(index) % centres.size()];
    Stand stand = standAt(index, 0, radiusM(random));
    stand.lat = centre.lat + offsetDeg(random);
    stand.lon = centre.lon + offsetDeg(random);
    stands.push_back(stand);
  }
  return stands;
}

TEST(OverlapTableTest, SameAsTestingEveryPairByItsGreatCircle) {
  std::mt19937_64 random(77);
  for (int round = 0; round < 5; ++round) {
    std::vector<Stand> stands = scatteredStands(random);
    buildOverlapTable(stands);
    size_t overlapping = 0;
    for (const Stand& a : stands) {
      std::vector<int> expected;
      for (const Stand& b : stands) {
        if (&a != &b && gf_distanceNm(a.position(), b.position()) * 1.1 < a.radius + b.radius) expected.push_back(b.index);
      }
      EXPECT_EQ(a.overlaps, expected) << a.id;
      overlapping += expected.size();
    }
    EXPECT_GT(overlapping, 100u);
  }
}

TEST(StandPositionsTest, SameAsAskingEveryStand) {
  std::mt19937_64 random(78);
  const std::vector<Stand> stands = scatteredStands(random);
  const StandPositions positions(stands);
  std::uniform_real_distribution<double> offsetDeg(-0.003, 0.003);
  size_t found = 0;
  for (const Stand& near : stands) {
    const LatLon position{near.lat + offsetDeg(random), near.lon + offsetDeg(random)};
    for (const double rangeNm : {55 * kNm, 0.1}) {
      const Stand* best = nullptr;
      double bestNm = rangeNm;
      for (const Stand& stand : stands) {
        const double distance = gf_distanceNm(position, stand.position());
        if (distance < bestNm || (best == nullptr && distance <= rangeNm)) {
          bestNm = distance;
          best = &stand;
        }
      }
      const StandPositions::Entry* entry = positions.nearest(position, rangeNm);
      ASSERT_EQ(entry == nullptr, best == nullptr);
      if (best == nullptr) continue;
      EXPECT_EQ(entry->index, best->index);
      ++found;
    }
  }
  EXPECT_GT(found, 200u);
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
