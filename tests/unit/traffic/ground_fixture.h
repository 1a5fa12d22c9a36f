#pragma once
// Live aircraft on the ground at a park airport with a few stands: a second
// traffic cycle whose park airport is a parking state built in the test.
#include "airports/stand_geometry.h"
#include "motion_fixture.h"
#include "traffic/ground_stands.h"

namespace tfx::test {

class TestParking final : public ParkingAccess {
 public:
  ParkingView view() override { return ready ? ParkingView{&parking, now} : ParkingView{}; }

  airports::ParkingState parking;
  airports::DayHalfHour now{3, 20};
  bool ready = true;
};

class GroundFixture : public MotionFixture {
 protected:
  static constexpr LatLon kApron{47.4600, 8.5600};
  static constexpr double kA320HalfSpanNm = 0.009665226781857453;  // 17.9 m
  static constexpr size_t kMostStands = 64;

  GroundFixture() {
    setParkAirport();
    simulator.user = {47.47, 8.53};
    parking.parking.stands.standsLoaded = true;
    // Tests hold the stands addStand returns while they add more.
    parking.parking.stands.parkStands.reserve(kMostStands);
  }

  static double feet(double metres) { return metres / 0.3048; }
  static LatLon offset(const LatLon& from, double bearingDeg, double metres) {
    return gf_destinationPoint(from, bearingDeg * kDegToRad, feet(metres));
  }

  // Stand n + 1 at `position`, its circle `radiusM`; the overlap table is rebuilt.
  airports::Stand& addStand(const LatLon& position, double headingDeg = 0.0, double radiusM = 20.0) {
    auto& stands = parking.parking.stands.parkStands;
    EXPECT_LT(stands.size(), kMostStands) << "more stands would move those handed out";
    airports::Stand& stand = stands.emplace_back();
    stand.index = static_cast<int>(stands.size());
    stand.id = fmt::format("S{}", stand.index);
    stand.lat = position.lat;
    stand.lon = position.lon;
    stand.heading = headingDeg * kDegToRad;
    stand.radius = radiusM / kMetersPerNm;
    airports::buildOverlapTable(stands);
    return stand;
  }

  // An active A320 on the ground, shown at the first point.
  LiveAircraft& taxiing(uint32_t hexid, std::vector<TrackPoint> points) {
    LiveAircraft& a = active(hexid, std::move(points), true);
    a.type = "A320";
    a.halfWingspan = kA320HalfSpanNm;
    a.standSpeed = 4.0;
    return a;
  }

  static TrackPoint groundPoint(const LatLon& at, int32_t stamp, double knots = 10.0, bool stationary = false) {
    TrackPoint p = point(at.lat, at.lon, 0.0, stamp, knots);
    p.stationary = stationary;
    return p;
  }

  // An active A320 parked on the stand.
  LiveAircraft& parkedOn(uint32_t hexid, const airports::Stand& stand) {
    LiveAircraft& a = taxiing(hexid, {groundPoint(stand.position(), 0, 0.0, true)});
    takeStand(a, stand);
    a.phase = FlightPhase::Parked;
    a.block.heading = a.standHeading;
    occupyStand(ground, a);
    return a;
  }

  void runGround(int count) {
    for (int i = 0; i < count; ++i) groundCycle.trafficCycle();
  }
  void runGroundUntil(int32_t wanted) {
    while (cycleNumber().load() < wanted) groundCycle.trafficCycle();
  }

  TestParking parking;
  TrafficContext ground{state, {first.livery, parking, first.userHold, first.motion, observer}, simulator};
  TrafficCycle groundCycle{ground, queue};
};

}  // namespace tfx::test
