// What a known aircraft takes from a report that passed the timing rules:
// identity, ghosts and the points of its history.
#include "core/log.h"
#include "core/parameters.h"
#include "traffic/decode_existing.h"
#include "traffic/identity_check.h"
#include "traffic_fixture.h"

namespace tfx::test {
namespace {

class Identity : public TrafficFixture {
 protected:
  LiveAircraft& activeAircraft(uint32_t hexid) {
    TrafficReport r = report(hexid, 1000, 1000);
    r.origin = "LSZH";
    r.destination = "EGLL";
    r.registration = "HB-JLT";
    cycle.handleReport(r);
    LiveAircraft& a = aircraft(hexid);
    a.state = SimState::Active;
    a.phase = FlightPhase::Flying;
    a.objectId = 200;
    a.title = kDefaultLiveryTitle;
    return a;
  }
};

TEST_F(Identity, ABufferedRecordTakesEveryNewIdentityField) {
  TrafficReport r = report(4400001, 1000, 1000);
  cycle.handleReport(r);
  r.timestamp = 1010;
  r.lon += 0.01;
  r.callsign = "EZY12";
  r.registration = "G-EZAA";
  r.origin = "LSZH";
  r.destination = "EGGW";
  cycle.handleReport(r);
  const LiveAircraft& a = aircraft(4400001);
  EXPECT_EQ(a.callsign, "EZY12");
  EXPECT_EQ(a.firstCallsign, "EZY12");
  EXPECT_EQ(a.registration, "G-EZAA");
  EXPECT_EQ(a.origin, "LSZH");
  EXPECT_EQ(a.destination, "EGGW");
  // Empty fields of a report change nothing.
  r.timestamp = 1020;
  r.lon += 0.01;
  r.callsign = "";
  r.origin = "";
  cycle.handleReport(r);
  EXPECT_EQ(a.callsign, "EZY12");
  EXPECT_EQ(a.origin, "LSZH");
}

TEST_F(Identity, AnActiveAircraftWithANewFlightRespawnsWithTheChangesSwitchedOn) {
  LiveAircraft& a = activeAircraft(4400002);
  TrafficReport r = report(4400002, 1010, 1100, 47.5, 8.61);
  r.registration = "HB-JLT";
  r.origin = "EGLL";
  r.destination = "LSZH";
  r.callsign = a.callsign;
  LogCapture log;
  LOG.set(true);
  cycle.handleReport(r);
  EXPECT_EQ(a.origin, "EGLL");
  EXPECT_EQ(a.state, SimState::LiveryRespawn);
  // The shown place goes before the target point; the report that respawns is not taken.
  EXPECT_EQ(a.history.size(), 2u);
  EXPECT_EQ(a.history.back().lon, 8.6);
  EXPECT_TRUE(log.contains(" respawns"));
  EXPECT_EQ(state.removalQueue.back(), 200u);
}

TEST_F(Identity, TheWayBackToTheParkAirportIsNoNewRoute) {
  airports::parkAirport() = {"LSZH", "ZRH", 47.4647, 8.5492, 1416};
  LiveAircraft& a = activeAircraft(4400003);
  TrafficReport r = report(4400003, 1010, 1100, 47.5, 8.61);
  r.registration = "HB-JLT";
  r.callsign = a.callsign;
  r.origin = "EGLL";
  r.destination = "LSZH";
  cycle.handleReport(r);
  EXPECT_EQ(a.origin, "LSZH");
  EXPECT_EQ(a.state, SimState::Active);
  EXPECT_EQ(a.history.size(), 2u);
}

TEST_F(Identity, WithoutChangesSwitchedOnTheActiveAircraftTakesTheIdentityAndTheReport) {
  GUID_CHANGES.set(false);
  LiveAircraft& a = activeAircraft(4400004);
  TrafficReport r = report(4400004, 1010, 1100, 47.5, 8.61);
  r.callsign = "SWR99";
  cycle.handleReport(r);
  EXPECT_EQ(a.callsign, "SWR99");
  EXPECT_EQ(a.state, SimState::Active);
  EXPECT_EQ(a.history.size(), 2u);
  // A callsign equal to the registration is no change.
  r.timestamp = 1020;
  r.lon += 0.01;
  r.callsign = "HB-JLT";
  cycle.handleReport(r);
  EXPECT_EQ(a.callsign, "SWR99");
}

TEST_F(Identity, AGhostCallsignOfAnActiveAircraftIsRefusedWhileItsRealFlightIsPresent) {
  GUID_CHANGES.set(false);
  LiveAircraft& a = activeAircraft(4400005);
  TrafficReport real = report(4400006, 1000, 1000, 48.0, 9.0);
  real.callsign = "TST200";
  cycle.handleReport(real);
  TrafficReport r = report(4400005, 1010, 1100, 47.5, 8.61);
  r.callsign = "TST200_";
  cycle.handleReport(r);
  EXPECT_NE(aircraft(4400005).callsign, "TST200_");
  EXPECT_EQ(a.history.size(), 1u);
}

TEST_F(Identity, TheRealFlightRemovesItsGhostAndTheGhostNeverComesBack) {
  TrafficReport ghost = report(4400007, 1000, 1000, 47.5, 8.6);
  ghost.callsign = "TST200_";
  cycle.handleReport(ghost);
  ghost.timestamp = 1010;
  ghost.stamp = 1100;
  ghost.lon += 0.01;
  cycle.handleReport(ghost);
  runUntil(901);
  ASSERT_EQ(aircraft(4400007).state, SimState::Adding2Sim);

  TrafficReport real = report(4400008, 1000, 1000, 47.6, 8.6);
  real.callsign = "TST200";
  cycle.handleReport(real);
  real.timestamp = 1010;
  real.stamp = 1100;
  real.lon += 0.01;
  cycle.handleReport(real);
  LOG.set(true);
  LogCapture log;
  // Cancelled during the pass of cycle 1000, erased at the end of the next.
  runUntil(1002);
  EXPECT_TRUE(log.contains("          TST200_  is a ghost and will be removed, continue with TST200"));
  EXPECT_TRUE(state.ghostList.contains("TST200_"));
  EXPECT_TRUE(hasEvent("4400007 remove ghost adding2sim"));
  EXPECT_TRUE(hasEvent("4400007 erase cancelled"));
  EXPECT_EQ(state.findHexid(4400007), nullptr);
}

TEST_F(Identity, ABufferedGhostWhoseRealFlightIsPresentIsDropped) {
  TrafficReport real = report(4400009, 1000, 1000, 47.6, 8.6);
  real.callsign = "TST300";
  cycle.handleReport(real);
  TrafficReport ghost = report(4400010, 1000, 1000, 47.5, 8.6);
  ghost.callsign = "TST300_";
  cycle.handleReport(ghost);
  ghost.timestamp = 1010;
  ghost.stamp = 1100;
  ghost.lon += 0.01;
  cycle.handleReport(ghost);
  runUntil(901);
  EXPECT_TRUE(hasEvent("4400010 drop real-flight-present"));
}

TEST_F(Identity, AGhostListedCallsignIsDropped) {
  state.ghostList.insert("TST400_");
  TrafficReport ghost = report(4400011, 1000, 1000);
  ghost.callsign = "TST400_";
  cycle.handleReport(ghost);
  ghost.timestamp = 1010;
  ghost.stamp = 1100;
  ghost.lon += 0.01;
  cycle.handleReport(ghost);
  runUntil(901);
  EXPECT_TRUE(hasEvent("4400011 drop ghost-listed"));
}

TEST_F(Identity, BirthPointsAtTheSamePlaceAreStationaryOrRefused) {
  TrafficReport r = report(4400012, 1000, 1000, 47.45, 8.56, 0, 0);
  cycle.handleReport(r);
  LiveAircraft& a = aircraft(4400012);
  // Close on the ground: taken at the newest point's place with speed 0.
  r.timestamp = 1020;
  r.stamp = 1000;
  r.lat += 0.0001;
  r.groundSpeed = 3;
  cycle.handleReport(r);
  ASSERT_EQ(a.history.size(), 2u);
  EXPECT_TRUE(a.history[1].stationary);
  EXPECT_EQ(a.history[1].lat, 47.45);
  EXPECT_EQ(a.history[1].groundSpeed, 0.0);
  EXPECT_EQ(a.history[1].stamp, 1001) << "due at least one cycle after the newest";
  // Close and airborne: refused.
  r.timestamp = 1040;
  r.altitude = 100;
  r.airborne = true;
  cycle.handleReport(r);
  EXPECT_EQ(a.history.size(), 2u);
}

TEST_F(Identity, TooLongAHistoryRemovesTheAircraft) {
  TrafficReport r = report(4400013, 1000, 100000);
  cycle.handleReport(r);
  LiveAircraft& a = aircraft(4400013);
  for (int i = 1; i <= 201; ++i) {
    r.timestamp += 10;
    r.stamp += 100;
    r.lon += 0.01;
    cycle.handleReport(r);
  }
  EXPECT_EQ(a.history.size(), 201u);
  EXPECT_TRUE(a.drop);
  EXPECT_TRUE(hasEvent("4400013 drop history-full"));
}

}  // namespace
}  // namespace tfx::test
