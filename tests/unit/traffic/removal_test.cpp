// Taking aircraft out, by state, and what the simulator and the window report back.
#include "core/log.h"
#include "core/parameters.h"
#include "traffic/removal.h"
#include "traffic_fixture.h"

namespace tfx::test {
namespace {

class Removal : public TrafficFixture {
 protected:
  LiveAircraft& record(uint32_t hexid, SimState s, uint32_t objectId = 0) {
    LiveAircraft& a = state.liveList.emplace_back();
    a.hexid = hexid;
    a.callsign = "SWR1";
    a.state = s;
    a.objectId = objectId;
    return a;
  }
};

TEST_F(Removal, ActsByState) {
  LiveAircraft& buffered = record(4600001, SimState::Buffer);
  removeAircraftFromSim(context, buffered, "ghost");
  EXPECT_TRUE(buffered.drop);

  LiveAircraft& waiting = record(4600002, SimState::Adding2Sim);
  state.addingStack = {4600009, 4600002, 4600008};
  removeAircraftFromSim(context, waiting, "ghost");
  EXPECT_TRUE(waiting.cancelled);
  EXPECT_EQ(state.addingStack, (std::vector<uint32_t>{4600009, 4600008}));

  LiveAircraft& sent = record(4600003, SimState::Adding2Sim);
  removeAircraftFromSim(context, sent, "ghost");
  EXPECT_TRUE(sent.removalPending);
  EXPECT_FALSE(sent.cancelled);

  LiveAircraft& active = record(4600004, SimState::Active, 77);
  removeAircraftFromSim(context, active, "live-limit");
  EXPECT_EQ(active.state, SimState::RemovingFromSim);
  removeAircraftFromSim(context, active, "live-limit");
  EXPECT_EQ(state.removalQueue, (std::vector<uint32_t>{77}));

  EXPECT_EQ(observer.events,
            (std::vector<std::string>{"4600001 drop ghost", "4600002 remove ghost adding2sim",
                                      "4600003 remove ghost adding2sim", "4600004 remove live-limit active"}));
}

TEST_F(Removal, AnActiveRecordWithoutObjectIsLogged) {
  LiveAircraft& active = record(4600005, SimState::Active);
  LogCapture log;
  removeAircraftFromSim(context, active, "ghost");
  EXPECT_TRUE(log.contains("removeAircraftFromSim removing act SWR1"));
  EXPECT_TRUE(log.contains("with objectid=0 ?"));
}

TEST_F(Removal, TheSimulatorConfirmsRemovalsAndRefusals) {
  record(4600006, SimState::RemovingFromSim, 80);
  record(4600007, SimState::Adding2Sim);
  LiveAircraft& respawning = record(4600008, SimState::LiveryRespawn, 81);
  respawning.throttleIndex = 2;
  simulator.lists.postNotification({80, 0, 0, sim::NotificationKind::Removed});
  simulator.lists.postNotification({0, 4600007, 0, sim::NotificationKind::CreateFailed});
  simulator.lists.postNotification({81, 0, 0, sim::NotificationKind::Removed});
  cycle.trafficCycle();
  ASSERT_EQ(state.liveList.size(), 1u);
  EXPECT_EQ(state.liveList[0].state, SimState::Buffer);
  EXPECT_EQ(state.liveList[0].objectId, 0u);
  EXPECT_EQ(state.liveList[0].throttleIndex, 5u);
  EXPECT_EQ(observer.events, (std::vector<std::string>{"4600006 erase removed", "4600007 erase refused",
                                                       "4600008 state liveryrespawn>buffer"}));
}

TEST_F(Removal, BlockingFromTheWindowDropsOrRemoves) {
  const std::string name = aircraftName(record(4600010, SimState::Buffer));
  record(4600011, SimState::Active, 90);
  simulator.lists.postNotification({0, 4600010, 0, sim::NotificationKind::CallsignBlocked});
  simulator.lists.postNotification({0, 4600011, 0, sim::NotificationKind::CallsignBlocked});
  LogCapture log;
  cycle.trafficCycle();
  EXPECT_TRUE(log.contains(name + " will be removed from buffer while blocked"));
  EXPECT_TRUE(log.contains(name + " removed from simulator immediately while blocked"));
  EXPECT_TRUE(hasEvent("4600010 drop blocked"));
  EXPECT_TRUE(hasEvent("4600011 remove blocked active"));
}

TEST_F(Removal, ALiveryRespawnComesBackWhereTheAircraftIsShown) {
  cycleNumber().store(500);
  LiveAircraft& flying = record(4600012, SimState::Active, 92);
  TrackPoint target;
  target.lat = 47.5;
  target.lon = 8.6;
  target.altitude = 6000.0;
  target.airborne = true;
  target.stamp = 520;
  flying.history.push_back(target);
  flying.block.lat = 47.49;
  flying.block.lon = 8.59;
  flying.block.altitude = 5900.0;
  flying.block.heading = 1.5;
  liveryRespawn(context, flying);
  ASSERT_EQ(flying.history.size(), 2u);
  EXPECT_EQ(flying.history[0].lat, 47.49);
  EXPECT_EQ(flying.history[0].altitude, 5900.0);
  EXPECT_EQ(flying.history[0].stamp, 501);
  EXPECT_FALSE(flying.history[1].stationary);
  EXPECT_EQ(flying.savedHeading, 1.5);
  EXPECT_EQ(flying.state, SimState::LiveryRespawn);
  EXPECT_EQ(state.removalQueue, std::vector<uint32_t>{92});

  LiveAircraft& standing = record(4600013, SimState::Active);
  standing.phase = FlightPhase::Taxi;
  target.airborne = false;
  standing.history.push_back(target);
  standing.block.lat = 47.5 + 5e-9;
  standing.block.lon = 8.6;
  LogCapture log;
  liveryRespawn(context, standing);
  EXPECT_TRUE(standing.history[1].stationary);
  EXPECT_TRUE(log.contains("liveryRespawn removing act SWR1"));
  EXPECT_TRUE(log.contains("with objectid=0 ?"));

  LiveAircraft& parked = record(4600014, SimState::Active, 93);
  parked.phase = FlightPhase::Parked;
  parked.history.push_back(target);
  parked.history.push_back(target);
  parked.block.heading = kTwoPi / 4;
  liveryRespawn(context, parked);
  ASSERT_EQ(parked.history.size(), 1u);
  EXPECT_TRUE(parked.history[0].stationary);
  EXPECT_DOUBLE_EQ(parked.history[0].track, 90.0);
}

// The simulator refused a livery: matching hears of the title and the aircraft's key,
// and the aircraft's remembered livery is forgotten.
class RefusalWatch final : public LiveryMatcher {
 public:
  std::optional<std::string_view> findLiveryLiveAc(const LiveryQuery&) override { return std::nullopt; }
  void liveryRefused(const LiveryQuery& query, std::string_view title) override {
    refusals.push_back(fmt::format("{} {} {}", query.type, query.airline, title));
  }
  std::vector<std::string> refusals;
};

TEST_F(Removal, ARefusedLiveryIsHandedToMatching) {
  RefusalWatch matching;
  TrafficContext watched{state, {matching, first.stands, first.userHold, first.motion, observer}, simulator};
  TrafficCycle watchedCycle{watched, queue};
  LiveAircraft& a = record(4600015, SimState::Adding2Sim);
  a.type = "A320";
  a.airline = "SWR";
  a.title = "Swiss A320";
  state.rememberedLiveries[a.hexid] = a.title;
  simulator.lists.postNotification({0, 4600015, 0, sim::NotificationKind::CreateFailed});
  watchedCycle.trafficCycle();
  EXPECT_EQ(matching.refusals, std::vector<std::string>{"A320 SWR Swiss A320"});
  EXPECT_EQ(state.failedLiveries, std::vector<std::string>{"Swiss A320"});
  EXPECT_FALSE(state.rememberedLiveries.contains(4600015)) << "its next spawn asks matching again";
}

}  // namespace
}  // namespace tfx::test
