// Collision avoidance: buffered aircraft held back for the user aircraft,
// one aircraft a tick removed near it, and static aircraft removed in the way
// of live ones; nothing at all with the three switches off.
#include "core/log.h"
#include "core/parameters.h"
#include "ground_fixture.h"
#include "traffic/collision_hold.h"
#include "traffic/collision_removal.h"
#include "traffic/static_objects.h"

namespace tfx::test {
namespace {

class Collision : public GroundFixture {
 protected:
  Collision() {
    COLLISION_USER_AIR.set(true);
    COLLISION_USER_GND.set(true);
    COLLISION_LIVE_PARKED_GND.set(true);
    user.known = true;
    user.position = kApron;
    user.onGround = true;
    user.halfWingspanNm = kA320HalfSpanNm;
  }

  LiveAircraft& buffered(const LatLon& at, double altitude = 0.0, double knots = 5.0) {
    LiveAircraft& a = state.liveList.emplace_back();
    a.hexid = 0x4e0000 + static_cast<uint32_t>(state.liveList.size());
    a.halfWingspan = kA320HalfSpanNm;
    for (int i = 0; i < 5; ++i) a.history.push_back(point(at.lat, at.lon, altitude, i * 100, knots));
    return a;
  }

  StaticRecord& staticAt(const LatLon& at, uint32_t hexid) {
    StaticRecord& record = state.staticRecords.emplace_back();
    record.aircraft.hexid = hexid;
    record.aircraft.position = at;
    record.aircraft.halfWingspanNm = kA320HalfSpanNm;
    record.objectId = 500 + hexid;
    record.active = true;
    return record;
  }

  UserSnapshot user;
};

TEST_F(Collision, OnTheGroundAnAircraft140MetresAwayIsHeldUntil500MetresAwayAndSlow) {
  LiveAircraft& a = buffered(offset(kApron, 90.0, 140.0));
  EXPECT_TRUE(holdBackForUser(user, a));
  EXPECT_TRUE(a.userCollisionWait);
  EXPECT_EQ(a.history.size(), 4u);
  // Each hold takes the oldest point: the next one is put where the test wants it.
  const auto oldestAt = [&](double metres, double knots) {
    const LatLon at = offset(kApron, 90.0, metres);
    a.history.front() = point(at.lat, at.lon, 0.0, 100, knots);
  };
  oldestAt(400.0, 5.0);
  EXPECT_TRUE(holdBackForUser(user, a)) << "still within 500 m";
  oldestAt(600.0, 12.0);
  EXPECT_TRUE(holdBackForUser(user, a)) << "faster than 8 knots";
  oldestAt(600.0, 6.0);
  user.groundSpeed = 10.0;
  EXPECT_TRUE(holdBackForUser(user, a)) << "the user taxis fast";
  oldestAt(600.0, 6.0);
  user.groundSpeed = 5.0;
  EXPECT_FALSE(holdBackForUser(user, a));
  EXPECT_FALSE(holdBackForUser(user, buffered(offset(kApron, 90.0, 160.0))));
}

TEST_F(Collision, AnAirlinerCrossingAheadIsHeldWithin3000FeetNotBeyond) {
  user.onGround = false;
  user.altitude = 5000.0;
  user.heading = 0.0;
  const LatLon ahead = offset(kApron, 0.0, 5.0 * kMetersPerNm);
  LiveAircraft& close = buffered(ahead, 7000.0, 250.0);
  close.predictedTrack = M_PI;  // straight at the user
  EXPECT_TRUE(holdBackForUser(user, close));
  LiveAircraft& above = buffered(ahead, 8000.0, 250.0);
  above.predictedTrack = M_PI;
  EXPECT_FALSE(holdBackForUser(user, above));
  LiveAircraft& wide = buffered(ahead, 7000.0, 250.0);
  wide.predictedTrack = M_PI / 2.0;  // passes 5 nm ahead
  EXPECT_FALSE(holdBackForUser(user, wide));
}

TEST_F(Collision, OneAircraftATickIsRemovedNearTheUserThenStaticOnesWhenTheUserMoved) {
  LiveAircraft& first = taxiing(0x4e1001, {groundPoint(offset(kApron, 0.0, 20.0), 0)});
  LiveAircraft& second = taxiing(0x4e1002, {groundPoint(offset(kApron, 90.0, 20.0), 0)});
  LiveAircraft& far = taxiing(0x4e1003, {groundPoint(offset(kApron, 90.0, 200.0), 0)});
  staticAt(offset(kApron, 180.0, 30.0), 11);
  state.lastUserPosition = kApron;
  removeNearUser(ground, user);
  EXPECT_EQ(first.state, SimState::RemovingFromSim);
  EXPECT_EQ(second.state, SimState::Active);
  removeNearUser(ground, user);
  EXPECT_EQ(second.state, SimState::RemovingFromSim);
  EXPECT_EQ(far.state, SimState::Active);
  EXPECT_TRUE(hasEvent("5115906 remove collision-user active"));
  removeNearUser(ground, user);
  EXPECT_FALSE(state.staticRecords.front().removing) << "the user has not moved";
  user.position = offset(kApron, 180.0, 1.0);
  removeNearUser(ground, user);
  EXPECT_TRUE(state.staticRecords.front().removing);
  EXPECT_TRUE(hasEvent("11 static-remove collision-user"));
}

TEST_F(Collision, ALiveAircraftTaxiingIntoAStaticOneRemovesItOnceItMoved) {
  LiveAircraft& a = taxiing(0x4e2001, {groundPoint(kApron, 0)});
  StaticRecord& inTheWay = staticAt(offset(kApron, 0.0, 30.0), 12);
  inTheWay.aircraft.callsign = "LX12";
  inTheWay.aircraft.standIndex = 7;
  staticAt(offset(kApron, 0.0, 60.0), 13);
  LogCapture log;
  clearStaticsForLive(ground);
  EXPECT_TRUE(state.staticRecords[0].removing);
  EXPECT_FALSE(state.staticRecords[1].removing);
  EXPECT_TRUE(hasEvent("12 collision live-static SWR1"));
  EXPECT_EQ(log.lines(), std::vector<std::string>{"       7: LX12     removed for collision avoidance with static SWR1"});
  a.block.lat = offset(kApron, 0.0, 45.0).lat;
  a.phase = FlightPhase::Parked;
  clearStaticsForLive(ground);
  EXPECT_FALSE(state.staticRecords[1].removing) << "parked aircraft are not tested";
}

TEST_F(Collision, WithAllSwitchesOffNothingIsHeldOrRemoved) {
  COLLISION_USER_AIR.set(false);
  COLLISION_USER_GND.set(false);
  COLLISION_LIVE_PARKED_GND.set(false);
  LiveAircraft& a = taxiing(0x4e3001, {groundPoint(offset(kApron, 0.0, 10.0), 0)});
  staticAt(offset(kApron, 0.0, 5.0), 14);
  EXPECT_FALSE(holdBackForUser(user, buffered(offset(kApron, 0.0, 10.0))));
  removeNearUser(ground, user);
  clearStaticsForLive(ground);
  user.onGround = false;
  EXPECT_FALSE(holdBackForUser(user, buffered(offset(kApron, 0.0, 10.0), 500.0)));
  removeNearUser(ground, user);
  EXPECT_EQ(a.state, SimState::Active);
  EXPECT_FALSE(state.staticRecords.front().removing);
}

}  // namespace
}  // namespace tfx::test
