#pragma once
// Live aircraft set up for the motion rules: active, with an object and a
// history of points built in the test.
#include <utility>
#include <vector>

#include "aircraft/aircraft_category.h"
#include "realtraffic/published_qnh.h"
#include "sim/sim_ids.h"
#include "traffic_fixture.h"

namespace tfx::test {

class MotionFixture : public TrafficFixture {
 protected:
  MotionFixture() { publishedQnh() = kStandardQnh; }
  ~MotionFixture() override { publishedQnh() = kStandardQnh; }

  static TrackPoint point(double lat, double lon, double altitude, int32_t stamp, double speed = 150.0,
                          double verticalSpeed = 0.0) {
    TrackPoint p;
    p.lat = lat;
    p.lon = lon;
    p.altitude = altitude;
    p.airborne = altitude > 0.0;
    p.groundSpeed = speed;
    p.tas = speed;
    p.verticalSpeed = verticalSpeed;
    p.stamp = stamp;
    return p;
  }

  // An active Large aircraft shown at the first point.
  LiveAircraft& active(uint32_t hexid, std::vector<TrackPoint> points, bool onGround = false) {
    LiveAircraft& a = state.liveList.emplace_back();
    a.hexid = hexid;
    a.callsign = "SWR" + std::to_string(hexid % 1000);
    a.state = SimState::Active;
    a.objectId = 300 + static_cast<uint32_t>(state.liveList.size());
    a.category = static_cast<uint32_t>(AircraftCategory::Large);
    a.climbLimit = 0.6;
    a.halfWingspan = 0.01;
    a.cgHeight = 10.0;
    a.phase = onGround ? FlightPhase::Taxi : FlightPhase::Flying;
    a.onGroundConfirmed = onGround;
    a.altitudeAboveGround = 3000.0;
    for (const TrackPoint& p : points) a.history.push_back(p);
    a.block.lat = points.front().lat;
    a.block.lon = points.front().lon;
    a.block.altitude = points.front().altitude;
    return a;
  }

  void setParkAirport(double elevation = 1416.0) { airports::parkAirport() = {"LSZH", "ZRH", 47.4647, 8.5492, elevation}; }

  std::vector<sim::SimEvent> takeEvents() { return std::exchange(simulator.lists.events, {}); }

  static bool sends(const std::vector<sim::SimEvent>& events, uint32_t eventId, uint32_t data) {
    return std::any_of(events.begin(), events.end(),
                       [&](const sim::SimEvent& e) { return e.eventId == eventId && e.data == data; });
  }

  size_t countEvents(const std::string& prefix) const {
    return static_cast<size_t>(std::count_if(observer.events.begin(), observer.events.end(),
                                             [&](const std::string& e) { return e.find(prefix) != std::string::npos; }));
  }
};

}  // namespace tfx::test
