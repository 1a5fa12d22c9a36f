// Static parked aircraft on the live-traffic side: their creates behind the
// live ones, their activation and parked lights, their removal, and what
// static parking sees of the live and static aircraft.
#include "traffic/static_objects.h"

#include "airports/stand.h"
#include "core/message_line.h"
#include "sim/object_events.h"
#include "sim/sim_ids.h"
#include "traffic/notifications.h"
#include "traffic/object_queues.h"
#include "traffic/parked_live_traffic.h"
#include "traffic_fixture.h"

namespace tfx::test {
namespace {

class StaticObjects : public TrafficFixture {
 protected:
  StaticObjects() {
    RANDOM.set(false);
    stand.index = 4;
    stand.id = "E_67";
    stand.lat = 47.458;
    stand.lon = 8.548;
    stand.heading = -1.0;
  }

  void queueStatic(uint32_t hexid, const std::string& registration = "HB-JVA") {
    airports::StaticToCreate entry{.aircraft = {.standIndex = 4,
                                                .airline = "SWR",
                                                .type = "A320",
                                                .callsign = "SWR1",
                                                .registration = registration},
                                   .hexid = hexid};
    queueStaticCreate(
        state, entry,
        {.stand = stand, .liveryTitle = kDefaultLiveryTitle, .halfWingspanNm = 0.01, .groundElevationFt = 1402.0});
  }
  void announce(uint32_t objectId, uint32_t hexid, sim::NotificationKind kind = sim::NotificationKind::StaticCreated) {
    simulator.lists.postNotification({.objectId = objectId, .hexid = hexid, .kind = kind});
  }
  void notified() {
    std::vector<sim::SimNotification> scratch;
    handleNotifications(context, scratch);
  }
  uint32_t eventData(uint32_t eventId) const {
    for (const sim::SimEvent& e : simulator.lists.events)
      if (e.eventId == eventId) return e.data;
    return 99;
  }
  LiveAircraft& liveOnStand(uint32_t hexid, FlightPhase phase, int64_t parkedSince) {
    LiveAircraft& a = state.liveList.emplace_back();
    a.hexid = hexid;
    a.callsign = fmt::format("EZY{}", hexid & 0xff);
    a.registration = fmt::format("G-E{}", hexid & 0xff);
    a.state = SimState::Active;
    a.standId = 7;
    a.phase = phase;
    a.parkedSince = parkedSince;
    return a;
  }

  airports::Stand stand;
  ParkedLiveTraffic parked{context};
};

TEST_F(StaticObjects, CreatesGoBehindLiveOnesOnePerFiftyCycles) {
  queueStatic(1);
  state.liveCreateQueue.push_back({.callsign = "SWR7", .hexid = 0x4b1800});
  const sim::CreateRequest& request = state.staticCreateQueue.front();
  EXPECT_EQ(request.callsign, "HB-JVA");
  EXPECT_NEAR(request.heading, 360.0 - 57.2958, 0.001) << "a negative stand heading is turned into one turn";
  paceCreatesAndRemovals(context, 49);
  EXPECT_EQ(state.liveCreateQueue.size(), 1u);
  paceCreatesAndRemovals(context, 50);
  EXPECT_TRUE(state.liveCreateQueue.empty());
  EXPECT_EQ(state.staticCreateQueue.size(), 1u);
  paceCreatesAndRemovals(context, 100);
  EXPECT_TRUE(state.staticCreateQueue.empty());
}

TEST_F(StaticObjects, WithoutARegistrationTheObjectIsNamedByItsHexid) {
  EXPECT_EQ(staticObjectName({.aircraft = {.callsign = "SWR1"}, .hexid = 17}), "ST17");
}

TEST_F(StaticObjects, SettledObjectsAreLitAsParked) {
  queueStatic(1);
  announce(900, 1);
  runCycles(kStaticSettleCycles - 1);
  EXPECT_FALSE(state.staticRecords[0].active);
  EXPECT_TRUE(simulator.lists.events.empty());
  runCycles(1);
  ASSERT_TRUE(state.staticRecords[0].active);
  EXPECT_EQ(eventData(sim::kEvThrottle), sim::kThrottleValues[0]);
  EXPECT_EQ(eventData(sim::kEvEngineAutoShutdown), 0u);
  EXPECT_EQ(eventData(sim::kEvBeaconLights), 0u);
  EXPECT_EQ(eventData(sim::kEvLogoLights), 1u);
  EXPECT_EQ(eventData(sim::kEvCabinLights), 1u);

  simulator.lists.events.clear();
  state.staticRecords[0].cargoStand = true;
  lightParkedStatic(simulator.lists, state.staticRecords[0]);
  EXPECT_EQ(eventData(sim::kEvCabinLights), 0u) << "a cargo stand is dark";
  EXPECT_EQ(eventData(sim::kEvThrottle), 99u) << "throttle at rest is not sent again";
}

TEST_F(StaticObjects, RemovalBeforeAndAfterTheObjectExists) {
  queueStatic(1, "HB-JVA");
  queueStatic(2, "HB-JVB");
  parked.removeParked(1, airports::ParkedRemoval::Renewal);
  ASSERT_EQ(state.staticRecords.size(), 1u);
  EXPECT_EQ(state.staticCreateQueue.size(), 1u) << "its create request goes with it";
  announce(901, 1);
  notified();
  ASSERT_EQ(state.removalQueue.size(), 1u) << "an object whose creation was called off goes again";
  EXPECT_EQ(state.removalQueue.front(), 901u);

  state.removalQueue.clear();
  announce(902, 2);
  notified();
  parked.removeParked(2, airports::ParkedRemoval::OutOfSight);
  parked.removeParked(2, airports::ParkedRemoval::OutOfSight);
  EXPECT_EQ(state.removalQueue.size(), 1u) << "asked once";
  std::vector<airports::ParkedAircraft> statics;
  parked.collectStatic(statics);
  EXPECT_TRUE(statics.empty()) << "a static aircraft being removed no longer counts";
  announce(902, 0, sim::NotificationKind::Removed);
  notified();
  EXPECT_TRUE(state.staticRecords.empty());
}

TEST_F(StaticObjects, AHexidFreedByARemovalNamesTheNewAircraftUnderIt) {
  queueStatic(1, "HB-JVA");
  announce(901, 1);
  notified();
  parked.removeParked(1, airports::ParkedRemoval::Renewal);
  queueStatic(1, "HB-JVB");
  announce(902, 1);
  notified();
  parked.removeParked(1, airports::ParkedRemoval::OutOfSight);
  EXPECT_EQ(state.removalQueue, (std::vector<uint32_t>{901, 902})) << "both objects go";
}

TEST_F(StaticObjects, ARefusedLiveryTakesTheStaticRecordAndIsToldLikeALiveOne) {
  queueStatic(1, "HB-JVA");
  queueStatic(2, "HB-JVB");
  EXPECT_EQ(state.staticRecords.front().title, kDefaultLiveryTitle);
  announce(0, 2, sim::NotificationKind::CreateFailed);
  notified();
  ASSERT_EQ(state.staticRecords.size(), 1u);
  EXPECT_EQ(state.staticRecords.front().aircraft.hexid, 1u);
  EXPECT_EQ(messageLine().message(), "SWR1 'Aeroshadow Default Livery' could not be created by your Sim!");
  EXPECT_EQ(state.failedLiveries, std::vector<std::string>{std::string(kDefaultLiveryTitle)});

  announce(901, 1);
  notified();
  announce(0, 1, sim::NotificationKind::CreateFailed);
  notified();
  EXPECT_EQ(state.staticRecords.size(), 1u) << "an aircraft whose object exists was not refused";
  EXPECT_EQ(state.failedLiveries.size(), 1u);
}

TEST_F(StaticObjects, LiveAircraftOnStandsLongestParkedFirst) {
  liveOnStand(0x400001, FlightPhase::Parking, 10);
  liveOnStand(0x400002, FlightPhase::Parked, 300);
  liveOnStand(0x400003, FlightPhase::Parked, 200);
  liveOnStand(0x400004, FlightPhase::Taxi, 100);
  liveOnStand(0x400005, FlightPhase::Parked, 50).state = SimState::RemovingFromSim;
  std::vector<airports::ParkedAircraft> live;
  parked.collectParkedLive(live);
  ASSERT_EQ(live.size(), 3u);
  EXPECT_EQ(live[0].hexid, 0x400003u);
  EXPECT_EQ(live[1].hexid, 0x400002u);
  EXPECT_EQ(live[2].hexid, 0x400001u) << "one still driving onto its stand comes last";
  EXPECT_EQ(live[0].standIndex, 7);
}

TEST_F(StaticObjects, NamesInTheSimulatorCompareExactly) {
  liveOnStand(0x400001, FlightPhase::Taxi, 0);
  liveOnStand(0x400002, FlightPhase::Taxi, 0).state = SimState::Buffer;
  EXPECT_TRUE(parked.presentInSimulator("EZY1"));
  EXPECT_TRUE(parked.presentInSimulator("G-E1"));
  EXPECT_FALSE(parked.presentInSimulator("ezy1"));
  EXPECT_FALSE(parked.presentInSimulator("EZY"));
  EXPECT_FALSE(parked.presentInSimulator("EZY2")) << "an aircraft still in the buffer is not in the simulator";
}

TEST_F(StaticObjects, ALiveAircraftRemovedForStaticParkingSaysWhy) {
  LiveAircraft& a = liveOnStand(0x400001, FlightPhase::Parked, 0);
  a.objectId = 55;
  parked.removeParked(0x400001, airports::ParkedRemoval::MaxPark);
  EXPECT_TRUE(hasEvent("4194305 remove max-park active"));
  EXPECT_EQ(parkedRemovalName(airports::ParkedRemoval::OutOfSight), "out-of-sight");
  EXPECT_EQ(parkedRemovalName(airports::ParkedRemoval::Renewal), "renewal");
}

}  // namespace
}  // namespace tfx::test
