// AI objects from the main program thread's side: create requests, pacing,
// the settling of a new object, its activation and its controls.
#include "aircraft/aircraft_category.h"
#include "flightplan/flight_plan_file.h"
#include "flightplan/flight_plan_list.h"
#include "core/log.h"
#include "core/message_line.h"
#include "runstate/user_error.h"
#include "core/parameters.h"
#include "sim/object_events.h"
#include "sim/sim_ids.h"
#include "traffic/object_birth.h"
#include "traffic/object_controls.h"
#include "traffic/object_queues.h"
#include "traffic/removal.h"
#include "traffic_fixture.h"

namespace tfx::test {
namespace {

using sim::SimEvent;

class Objects : public TrafficFixture {
 protected:
  LiveAircraft& waiting(uint32_t hexid, double altitude = 5000.0, bool airborne = true) {
    LiveAircraft& a = state.liveList.emplace_back();
    a.hexid = hexid;
    a.callsign = "SWR7";
    a.title = kDefaultLiveryTitle;
    a.state = SimState::Adding2Sim;
    a.category = static_cast<uint32_t>(AircraftCategory::Large);
    a.block.altitude = altitude;
    TrackPoint point;
    point.airborne = airborne;
    point.altitude = altitude;
    point.stamp = 1'000'000;
    a.history.push_back(point);
    return a;
  }

  void announce(uint32_t objectId, uint32_t hexid, double altitudeAboveGround = 3000.0) {
    sim::SimNotification born;
    born.kind = sim::NotificationKind::LiveCreated;
    born.objectId = objectId;
    born.hexid = hexid;
    born.valueB = altitudeAboveGround;
    simulator.lists.postNotification(born);
  }

  std::vector<SimEvent> takeEvents() { return std::exchange(simulator.lists.events, {}); }

  static std::vector<uint32_t> lightData(const std::vector<SimEvent>& events) {
    std::vector<uint32_t> data;
    for (const SimEvent& e : events)
      if (e.eventId >= sim::kEvBeaconLights && e.eventId <= sim::kEvLogoLights) data.push_back(e.data);
    return data;
  }

  static bool sends(const std::vector<SimEvent>& events, uint32_t eventId) {
    return std::any_of(events.begin(), events.end(), [&](const SimEvent& e) { return e.eventId == eventId; });
  }
};

TEST_F(Objects, TheNewestSpawnBecomesACreateRequestInDegrees) {
  LiveAircraft& older = waiting(4700001);
  LiveAircraft& newer = waiting(4700002, 0.0, false);
  newer.block.pitch = 0.1;
  newer.block.bank = -0.05;
  newer.block.heading = kTwoPi / 2;
  state.addingStack = {older.hexid, newer.hexid};
  lf_handleAddingStack(context);
  EXPECT_EQ(state.addingStack, std::vector<uint32_t>{4700001});
  ASSERT_EQ(state.liveCreateQueue.size(), 1u);
  const sim::CreateRequest& request = state.liveCreateQueue.front();
  EXPECT_EQ(request.hexid, 4700002u);
  EXPECT_DOUBLE_EQ(request.heading, 180.0);
  EXPECT_NEAR(request.pitch, 5.729577951308232, 1e-12);
  EXPECT_NEAR(request.bank, -2.864788975654116, 1e-12);
  EXPECT_EQ(request.onGround, 1u);
  EXPECT_EQ(request.airspeed, 0u);
  EXPECT_EQ(request.callsign, "SWR7");
  EXPECT_EQ(request.liveryTitle, kDefaultLiveryTitle);

  older.callsign.clear();
  LogCapture log;
  lf_handleAddingStack(context);
  EXPECT_EQ(state.liveCreateQueue.size(), 1u);
  EXPECT_TRUE(log.contains("lf_handleAddingStack"));
  EXPECT_TRUE(log.contains("objectid = 0?"));
}

TEST_F(Objects, CreatesGoEvery50thCycleAndRemovalsEvery10th) {
  state.liveCreateQueue.resize(2);
  state.liveCreateQueue[0].hexid = 1;
  state.liveCreateQueue[1].hexid = 2;
  state.removalQueue = {90, 91, 92};
  paceCreatesAndRemovals(context, 49);
  EXPECT_TRUE(simulator.lists.creates.empty());
  EXPECT_TRUE(simulator.lists.removals.empty());
  paceCreatesAndRemovals(context, 50);
  ASSERT_EQ(simulator.lists.creates.size(), 1u);
  EXPECT_EQ(simulator.lists.creates[0].hexid, 1u);
  EXPECT_EQ(simulator.lists.removals, std::vector<uint32_t>{90});
  for (int32_t cycle = 51; cycle < 100; ++cycle) paceCreatesAndRemovals(context, cycle);
  EXPECT_EQ(simulator.lists.creates.size(), 1u);
  EXPECT_EQ(simulator.lists.removals, (std::vector<uint32_t>{90, 91, 92}));
  paceCreatesAndRemovals(context, 100);
  EXPECT_EQ(simulator.lists.creates.size(), 2u);
}

TEST_F(Objects, RemovalWhileTheRequestWaitsCancelsItWithoutASimulatorCall) {
  LiveAircraft& a = waiting(4700003);
  state.addingStack = {a.hexid};
  lf_handleAddingStack(context);
  removeAircraftFromSim(context, a, "ghost");
  EXPECT_TRUE(a.cancelled);
  EXPECT_TRUE(state.liveCreateQueue.empty());
  runUntil(101);
  EXPECT_EQ(state.findHexid(4700003), nullptr);
  EXPECT_TRUE(hasEvent("4700003 erase cancelled"));
  EXPECT_TRUE(simulator.lists.creates.empty());
  EXPECT_TRUE(simulator.lists.removals.empty());
}

TEST_F(Objects, ANewObjectSettlesTogglesItsLightsTwiceAndIsActivatedAt200) {
  LiveAircraft& a = waiting(4700004, 8000.0);
  announce(57, a.hexid, 2500.0);
  runCycles(1);
  EXPECT_EQ(a.objectId, 57u);
  EXPECT_DOUBLE_EQ(a.altitudeAboveGround, 2500.0);
  EXPECT_EQ(simulator.shapeRequests, std::vector<uint32_t>{57});
  EXPECT_TRUE(hasEvent("4700004 object 57"));
  runCycles(198);
  EXPECT_EQ(simulator.lightToggles, (std::vector<uint32_t>{57, 57}));
  EXPECT_EQ(a.state, SimState::Adding2Sim);
  takeEvents();
  runCycles(1);
  EXPECT_EQ(a.state, SimState::Active);
  const auto events = takeEvents();
  EXPECT_TRUE(sends(events, sim::kEvEngineAutoStart));
  EXPECT_TRUE(std::find(events.begin(), events.end(), SimEvent{57, sim::kEvSpoilers, 0}) != events.end());
  // beacon, nav, taxi, strobes, landing, cabin, logo by event number
  const std::vector<SimEvent> lights(events.end() - 7, events.end());
  EXPECT_EQ(lights, (std::vector<SimEvent>{{57, sim::kEvNavLights, 1},
                                           {57, sim::kEvBeaconLights, 1},
                                           {57, sim::kEvLandingLights, 1},
                                           {57, sim::kEvTaxiLights, 0},
                                           {57, sim::kEvStrobes, 1},
                                           {57, sim::kEvLogoLights, 1},
                                           {57, sim::kEvCabinLights, 1}}));
  EXPECT_TRUE(state.createdObjects.empty());
}

TEST_F(Objects, AirborneLightsFollowAltitudeAndHeightAboveGround) {
  LiveAircraft& high = waiting(4700005, 10001.0);
  high.objectId = 60;
  high.altitudeAboveGround = 1999.0;
  lightUpLiveAircraft(simulator.lists, high);
  EXPECT_EQ(lightData(takeEvents()), (std::vector<uint32_t>{1, 1, 0, 0, 1, 0, 0}));
  high.block.altitude = 10000.0;
  high.altitudeAboveGround = 2000.0;
  lightUpLiveAircraft(simulator.lists, high);
  EXPECT_EQ(lightData(takeEvents()), (std::vector<uint32_t>{1, 1, 1, 0, 1, 1, 1}));
}

TEST_F(Objects, OnTheGroundTheLightsEnginesThrottleAndFlapsFollowThePhase) {
  LiveAircraft& taxiing = waiting(4700006, 1416.0, false);
  taxiing.objectId = 61;
  taxiing.phase = FlightPhase::Taxi;
  lightUpLiveAircraft(simulator.lists, taxiing);
  auto events = takeEvents();
  EXPECT_TRUE(sends(events, sim::kEvEngineAutoStart));
  EXPECT_EQ(lightData(events), (std::vector<uint32_t>{1, 1, 0, 1, 0, 1, 1}));
  EXPECT_TRUE(std::find(events.begin(), events.end(), SimEvent{61, sim::kEvThrottle, 0}) != events.end());
  EXPECT_TRUE(std::find(events.begin(), events.end(), SimEvent{61, sim::kEvFlaps, 3072}) != events.end());

  LiveAircraft& parked = waiting(4700007, 1416.0, false);
  parked.objectId = 62;
  parked.phase = FlightPhase::Parked;
  NAV_LIGHTS_WHILE_PARKED.set(false);
  lightUpLiveAircraft(simulator.lists, parked);
  events = takeEvents();
  EXPECT_TRUE(sends(events, sim::kEvEngineAutoShutdown));
  EXPECT_FALSE(sends(events, sim::kEvEngineAutoStart));
  EXPECT_EQ(lightData(events), (std::vector<uint32_t>{0, 0, 0, 0, 0, 1, 1}));
  EXPECT_TRUE(std::find(events.begin(), events.end(), SimEvent{62, sim::kEvFlaps, 0}) != events.end());
}

TEST_F(Objects, ThrottleAndFlapsAreSentOnlyWhenTheyChange) {
  LiveAircraft& a = waiting(4700008);
  a.objectId = 63;
  setThrottle(simulator.lists, a, 2);
  setThrottle(simulator.lists, a, 2);
  setThrottle(simulator.lists, a, 5);
  EXPECT_EQ(takeEvents(), (std::vector<SimEvent>{{63, sim::kEvThrottle, 8191}}));
  EXPECT_EQ(a.throttleIndex, 5u);

  gf_setFlaps(simulator.lists, a, 3);
  gf_setFlaps(simulator.lists, a, 3);
  LogCapture log;
  gf_setFlaps(simulator.lists, a, 5);
  EXPECT_TRUE(log.contains("gf_setFlaps: invalid flaps index"));
  EXPECT_EQ(a.flapsIndex, 5u);
  gf_setFlaps(simulator.lists, a, 3);
  EXPECT_EQ(takeEvents(), (std::vector<SimEvent>{{63, sim::kEvFlaps, 16383}, {63, sim::kEvFlaps, 16383}}));
}

TEST_F(Objects, ARotorcraftNeverGetsFlapsOrSpoilers) {
  LiveAircraft& airborne = waiting(4700009);
  airborne.category = static_cast<uint32_t>(AircraftCategory::Rotorcraft);
  airborne.objectId = 64;
  lightUpLiveAircraft(simulator.lists, airborne);
  LiveAircraft& grounded = waiting(4700010, 1416.0, false);
  grounded.category = static_cast<uint32_t>(AircraftCategory::Rotorcraft);
  grounded.objectId = 65;
  grounded.phase = FlightPhase::Taxi;
  lightUpLiveAircraft(simulator.lists, grounded);
  gf_setFlaps(simulator.lists, grounded, 2);
  const auto events = takeEvents();
  EXPECT_FALSE(sends(events, sim::kEvFlaps));
  EXPECT_FALSE(sends(events, sim::kEvSpoilers));
  EXPECT_TRUE(std::find(events.begin(), events.end(), SimEvent{65, sim::kEvThrottle, 16383}) != events.end());
}

TEST_F(Objects, ARemovalAskedWhileTheObjectSettlesFollowsItsActivation) {
  LiveAircraft& a = waiting(4700011);
  removeAircraftFromSim(context, a, "ghost");
  EXPECT_TRUE(a.removalPending);
  announce(70, a.hexid);
  runCycles(200);
  EXPECT_EQ(a.state, SimState::RemovingFromSim);
  EXPECT_TRUE(hasEvent("4700011 remove removal-pending active"));
  EXPECT_EQ(state.removalQueue, std::vector<uint32_t>{70});
}

TEST_F(Objects, StrayAnnouncementsAreRefusedOrTheirObjectRemoved) {
  LiveAircraft& a = waiting(4700012);
  announce(2, a.hexid);
  announce(71, 4799999);  // no such record
  LogCapture log;
  runCycles(1);
  EXPECT_EQ(a.objectId, 0u);
  EXPECT_TRUE(state.createdObjects.empty());
  EXPECT_EQ(simulator.lists.removals, std::vector<uint32_t>{71});  // paced in the same cycle 0
  EXPECT_TRUE(log.contains("hexid 4799999 has no record waiting, object 71 removed"));
}

TEST_F(Objects, TheSimulatorRemovingAnActiveObjectErasesItsRecord) {
  LiveAircraft& a = waiting(4700013);
  a.state = SimState::Active;
  a.objectId = 72;
  sim::SimNotification gone;
  gone.kind = sim::NotificationKind::Removed;
  gone.objectId = 72;
  simulator.lists.postNotification(gone);
  runCycles(1);
  EXPECT_EQ(state.findHexid(4700013), nullptr);
  EXPECT_TRUE(hasEvent("4700013 erase removed"));
}

TEST_F(Objects, TheTwentiethRefusedLiveryEndsTheProgramAfterItsMessage) {
  sim::SimNotification refused;
  refused.kind = sim::NotificationKind::CreateFailed;
  for (uint32_t i = 0; i < 19; ++i) {
    refused.hexid = waiting(4710000 + i).hexid;
    simulator.lists.postNotification(refused);
  }
  refused.hexid = 4799998;  // gone already: nothing to tell
  simulator.lists.postNotification(refused);
  runCycles(1);
  EXPECT_EQ(state.failedLiveries.size(), 19u);
  EXPECT_EQ(messageLine().message(), "SWR7 'Aeroshadow Default Livery' could not be created by your Sim!");
  EXPECT_TRUE(state.liveList.empty());

  LiveAircraft& last = waiting(4720000);
  last.callsign = "EZY20";
  refused.hexid = last.hexid;
  simulator.lists.postNotification(refused);
  try {
    runCycles(1);
    FAIL() << "no error 81";
  } catch (const UserErrorException& error) {
    EXPECT_EQ(error.code(), 81);
    EXPECT_EQ(error.message(),
              "\n===> Error 81, There are too many liveries that could not be created by P3D!\n, see Log.txt");
  }
  EXPECT_EQ(messageLine().message(), "EZY20 'Aeroshadow Default Livery' could not be created by your Sim!");
}

TEST_F(Objects, NotificationsForObjectsAndAircraftThatAreGoneChangeNothing) {
  LiveAircraft& a = waiting(4700014);
  a.state = SimState::Active;
  a.objectId = 73;
  simulator.lists.postNotification({999, 0, 0, sim::NotificationKind::Removed});
  simulator.lists.postNotification({0, 0, 0, sim::NotificationKind::Removed});
  simulator.lists.postNotification({0, 4799997, 0, sim::NotificationKind::CreateFailed});
  simulator.lists.postNotification({74, 0, 0, sim::NotificationKind::Shape, 6.5, 0.01});
  runCycles(1);
  ASSERT_EQ(state.liveList.size(), 1u);
  EXPECT_EQ(a.state, SimState::Active);
  EXPECT_TRUE(state.failedLiveries.empty());
  EXPECT_TRUE(observer.events.empty());
}

TEST_F(Objects, AnObjectWithARouteGetsItsFlightPlanFile) {
  ScratchHome home;
  ASSERT_TRUE(flightplan::gf_makeFlightPlanFolder());
  flightplan::FlightPlanList plans;
  context.flightPlans = &plans;
  TrafficCycle withPlans{context, queue};
  LiveAircraft& routed = waiting(4700015);
  routed.origin = "LSZH";
  routed.destination = "EGLL";
  LiveAircraft& unrouted = waiting(4700016);
  unrouted.origin = "LSZH";
  announce(75, routed.hexid);
  announce(76, unrouted.hexid);
  withPlans.trafficCycle();
  ASSERT_EQ(simulator.flightPlans.size(), 1u);
  EXPECT_EQ(simulator.flightPlans[0].first, 75u);
  const std::filesystem::path plan = simulator.flightPlans[0].second;
  EXPECT_EQ(plan.filename(), "4700015.pln");
  EXPECT_NE(readFile(plan).find("EGLL"), std::string::npos);
  EXPECT_EQ(simulator.shapeRequests, (std::vector<uint32_t>{75, 76}));

  LiveAircraft& refused = waiting(4700017);
  refused.origin = "LSZH";
  refused.destination = "LFPG";
  simulator.flightPlanResult = -1;
  announce(77, refused.hexid);
  LogCapture log;
  withPlans.trafficCycle();
  EXPECT_TRUE(log.contains("creating a flight plan failed"));
  EXPECT_EQ(refused.objectId, 77u);  // the object settles all the same
}

TEST_F(Objects, AParkedAircraftHasItsEnginesOffAndItsCabinLitUnlessOnACargoStand) {
  LiveAircraft& parked = waiting(4700018, 1416.0, false);
  parked.objectId = 78;
  parked.throttleIndex = 0;
  parked.flapsIndex = 2;
  RANDOM.set(false);  // else one parked cabin in ten stays dark
  NAV_LIGHTS_WHILE_PARKED.set(true);
  lightUpParked(simulator.lists, parked);
  auto events = takeEvents();
  EXPECT_FALSE(sends(events, sim::kEvThrottle));  // at 0 already
  EXPECT_TRUE(std::find(events.begin(), events.end(), SimEvent{78, sim::kEvFlaps, 0}) != events.end());
  EXPECT_TRUE(sends(events, sim::kEvEngineAutoShutdown));
  EXPECT_EQ(lightData(events), (std::vector<uint32_t>{1, 0, 0, 0, 0, 1, 1}));
  parked.cargoStand = true;
  NAV_LIGHTS_WHILE_PARKED.set(false);
  lightUpParked(simulator.lists, parked);
  EXPECT_EQ(lightData(takeEvents()), (std::vector<uint32_t>{0, 0, 0, 0, 0, 1, 0}));
}

}  // namespace
}  // namespace tfx::test
