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
  EXPECT_EQ(state.removalQueue, (std::deque<uint32_t>{77}));

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

}  // namespace
}  // namespace tfx::test
