// The frame work, the main thread's requests and the position hand-over, driven by hand.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "core/log.h"
#include "core/message_line.h"
#include "fake_sim_ops.h"
#include "runstate/stop_flags.h"
#include "sim/session_core.h"
#include "sim/sim_ids.h"
#include "test_support.h"

namespace tfx::sim {
namespace {

struct Rig {
  Rig() {
    tfx::test::resetProgramState();
    messageLine().clearAll();
    values.userObjectId = 1;
  }
  void position(uint32_t objectId, double lat) {
    PositionBlock block;
    block.lat = lat;
    exchange.writePosition(objectId, block);
  }
  CreateRequest create(const std::string& callsign, uint32_t hexid) {
    CreateRequest request;
    request.lat = 47.5;
    request.onGround = 1;
    request.callsign = callsign;
    request.liveryTitle = "Airbus A320 Swiss";
    request.hexid = hexid;
    return request;
  }

  LogCapture log;
  test::FakeSimOps ops;
  SessionValues values;
  ExchangeLists exchange;
  SessionCore core{ops, values, exchange};
};

// Holds a mutex on another thread until released.
class LockHolder {
 public:
  explicit LockHolder(std::mutex& mutex) {
    std::promise<void> locked;
    auto held = locked.get_future();
    thread_ = std::thread([this, &mutex, promise = std::move(locked)]() mutable {
      std::lock_guard lock(mutex);
      promise.set_value();
      release_.get_future().wait();
    });
    held.wait();
  }
  ~LockHolder() { release(); }
  void release() {
    if (!thread_.joinable()) return;
    release_.set_value();
    thread_.join();
  }

 private:
  std::promise<void> release_;
  std::thread thread_;
};

TEST(FrameWork, SendsPositionsEventsCreatesAndRemovalsInOnePass) {
  Rig rig;
  rig.position(1, 10.0);
  rig.position(100, 47.25);
  rig.position(101, 47.5);
  rig.exchange.publishPositions(60);
  rig.exchange.queueEvent(100, kEvNavLights, 1);
  rig.exchange.queueEvent(100, kEvFlaps, 3072);
  const SimEvent lights[] = {{101, kEvLogoLights, 1}, {101, kEvCabinLights, 0}};
  rig.exchange.queueEvents(lights);
  rig.exchange.queueCreate(rig.create("SWR12", 0x4B1234));
  rig.exchange.queueRemoval(1);
  rig.exchange.queueRemoval(102);

  EXPECT_TRUE(rig.core.frameWork());
  EXPECT_EQ(rig.ops.take(), (std::vector<std::string>{
                                "setdata 402 100 64 lat=47.25",
                                "setdata 402 101 64 lat=47.5",
                                "event 100 208 1",
                                "release 100 103",
                                "event 100 218 3072",
                                "release 100 103",
                                "event 101 213 1",
                                "event 101 212 0",
                                "create Airbus A320 Swiss SWR12 47.5 1 104",
                                "remove 102 105",
                            }));
  EXPECT_TRUE(rig.log.contains("SimConnect call to remove ac with objectid 1"));
  ASSERT_EQ(rig.exchange.pendingCreations.size(), 1u);
  EXPECT_EQ(rig.exchange.pendingCreations[0].packetId, 40u);
  EXPECT_EQ(rig.exchange.pendingCreations[0].hexid, 0x4B1234u);
  EXPECT_EQ(rig.exchange.pendingCreations[0].callsign, "SWR12");

  EXPECT_TRUE(rig.core.frameWork());
  EXPECT_TRUE(rig.ops.take().empty()) << "everything is sent once";

  // A refused flaps event is shown and the flaps stay held; a lost packet id still leaves the creation pending.
  rig.ops.failing = {"event"};
  rig.ops.packetIdFails = true;
  rig.exchange.queueEvent(100, kEvFlaps, 0);
  rig.exchange.queueCreate(rig.create("SWR13", 0x4B1235));
  rig.core.frameWork();
  EXPECT_EQ(rig.ops.take(), (std::vector<std::string>{"release 100 103", "event 100 218 0",
                                                      "create Airbus A320 Swiss SWR13 47.5 1 104"}));
  EXPECT_EQ(messageLine().message(), "SimConnect TransmitClientEvent: 218 fails");
  EXPECT_TRUE(rig.log.contains("===> GetLastSentPacketID"));
  EXPECT_EQ(rig.exchange.pendingCreations.back().packetId, 0u);
  EXPECT_FALSE(stopRequested());
}

TEST(FrameWork, AFailedCallPausesAndDropsWhatWasQueued) {
  Rig rig;
  rig.ops.failing = {"create"};
  rig.exchange.queueCreate(rig.create("SWR12", 4000001));
  rig.exchange.queueRemoval(100);
  rig.core.frameWork();
  EXPECT_TRUE(
      rig.log.contains("! Simcon call to create ac in sim failed, hexid:4000001, liv: 'Airbus A320 Swiss', "
                       "callsign: SWR12)"));
  EXPECT_EQ(messageLine().message(), "SimConnect request error");
  EXPECT_TRUE(rig.values.paused);
  EXPECT_EQ(exitReason(), ExitReason::SimConnectError);
  EXPECT_EQ(stopFlags().restartDelaySeconds, 9);
  EXPECT_TRUE(rig.exchange.creates.empty());
  EXPECT_TRUE(rig.exchange.removals.empty()) << "dropped, never sent later";

  rig.ops.failing.clear();
  rig.ops.take();
  rig.position(100, 47.0);
  rig.exchange.publishPositions(60);
  rig.exchange.queueEvent(100, kEvNavLights, 1);
  rig.core.frameWork();
  EXPECT_TRUE(rig.ops.take().empty());
  EXPECT_TRUE(rig.exchange.outgoing.empty());
  EXPECT_TRUE(rig.exchange.events.empty());

  Rig removal;
  removal.ops.failing = {"remove"};
  removal.exchange.queueRemoval(100);
  removal.core.frameWork();
  EXPECT_TRUE(removal.log.contains("!SimConnect call to remove AI ac from sim failed, id 100?"));
  EXPECT_TRUE(removal.values.paused);
}

TEST(FrameWork, NeverWaitsForThePositionMutex) {
  Rig rig;
  rig.position(100, 47.0);
  rig.exchange.publishPositions(60);
  {
    LockHolder holder(rig.exchange.positionMutex());
    EXPECT_FALSE(rig.core.frameWork());
    EXPECT_TRUE(rig.ops.calls.empty());
  }
  EXPECT_TRUE(rig.core.frameWork());
  EXPECT_EQ(rig.ops.take(), std::vector<std::string>{"setdata 402 100 64 lat=47"});
}

TEST(ExchangeLists, PositionsAreHandedOverOrDroppedByFrameRate) {
  Rig rig;
  rig.position(100, 1.0);
  {
    LockHolder holder(rig.exchange.positionMutex());
    rig.exchange.publishPositions(50);
  }
  EXPECT_TRUE(rig.exchange.outgoing.empty()) << "a slow simulator gets this pass's positions dropped";

  rig.position(100, 2.0);
  {
    LockHolder holder(rig.exchange.positionMutex());
    std::thread publisher([&] { rig.exchange.publishPositions(51); });
    holder.release();
    publisher.join();
  }
  ASSERT_EQ(rig.exchange.outgoing.size(), 1u);
  EXPECT_EQ(rig.exchange.outgoing[0].block.lat, 2.0);

  rig.position(100, 3.0);
  rig.exchange.publishPositions(30);
  rig.position(101, 4.0);
  rig.exchange.publishPositions(30);
  ASSERT_EQ(rig.exchange.outgoing.size(), 1u) << "the newer pass replaces an unsent one";
  EXPECT_EQ(rig.exchange.outgoing[0].objectId, 101u);
  rig.position(102, 5.0);
  rig.exchange.discardPositions();
  rig.exchange.publishPositions(30);
  EXPECT_TRUE(rig.exchange.outgoing.empty());
}

TEST(PeriodicRequests, AircraftAroundAndUserStateByCycle) {
  Rig rig;
  for (int32_t cycle = 1; cycle <= 200; ++cycle) rig.core.periodicRequests(cycle, false, 74080.4);
  EXPECT_EQ(rig.ops.take(), (std::vector<std::string>{"bytype 101 404 74080 2", "request 109 403 0 1",
                                                      "bytype 101 404 74080 2", "request 109 403 0 1"}));
  for (int32_t cycle = 201; cycle <= 300; ++cycle) rig.core.periodicRequests(cycle, true, 5000);
  const auto fast = rig.ops.take();
  EXPECT_EQ(std::count(fast.begin(), fast.end(), "bytype 101 404 5000 2"), 5);
  EXPECT_EQ(std::count(fast.begin(), fast.end(), "request 109 403 0 1"), 1);

  EXPECT_EQ(rig.core.requestUserOnGroundEverySecond(), 0);
  EXPECT_EQ(rig.core.requestUserTitleAndModel(), 0);
  EXPECT_EQ(rig.core.requestObjectShape(100), 0);
  EXPECT_EQ(rig.core.allLightsToggle(100), 0);
  EXPECT_EQ(rig.core.assignFlightPlan(100, "orig_dest/4B1234.pln"), 0);
  EXPECT_EQ(rig.core.writeAiControls(100, 100.0, -100.0), 0);
  EXPECT_EQ(rig.ops.take(), (std::vector<std::string>{"request 108 409 0 4", "request 106 407 0 1",
                                                      "request 107 408 0 1", "request 102 405 100 1", "event 100 214 0",
                                                      "flightplan 100 orig_dest/4B1234.pln 110",
                                                      "setdata 401 100 24 lat=100"}));
  EXPECT_FALSE(stopRequested());

  rig.ops.failing = {"request", "bytype"};
  rig.core.periodicRequests(400, false, 1000);
  EXPECT_LT(rig.core.requestUserOnGroundEverySecond(), 0);
  EXPECT_LT(rig.core.requestUserTitleAndModel(), 0);
  for (const char* line : {"===> SimConnect request ac within range fails",
                           "===> SimConnect request user ac position fails", "===> SimConnect request ac gnd/air fails",
                           "===> SimConnect request user ac title fails", "===> SimConnect reques user ac model fails"})
    EXPECT_TRUE(rig.log.contains(line)) << line;
  EXPECT_EQ(exitReason(), ExitReason::SimConnectError);
  EXPECT_TRUE(rig.values.paused);
}

TEST(PeriodicRequests, EveryHundredthCycleCopiesTheReceivedUserState) {
  Rig rig;
  UserState state;
  state.lat = 47.3;
  rig.values.setReceived(state);
  rig.core.periodicRequests(99, false, 1000);
  EXPECT_EQ(rig.values.snapshot().lat, 0);
  rig.core.periodicRequests(100, false, 1000);
  EXPECT_EQ(rig.values.snapshot().lat, 47.3);
}

}  // namespace
}  // namespace tfx::sim
