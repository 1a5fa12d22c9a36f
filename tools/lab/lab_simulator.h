#pragma once
// The simulator of the traffic lab: the stand-in's world and session in this
// process, behind the program's own session code. Every client message is
// encoded to its wire bytes and handed to the stand-in; every reply is
// decoded from its wire bytes and dispatched, all on the calling thread and
// on the lab's virtual clock.
#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/exchange_lists.h"
#include "sim/session_core.h"
#include "sim/session_dispatcher.h"
#include "sim/session_values.h"
#include "sim/sim_connect_ops.h"
#include "sim_session.h"
#include "trace.h"
#include "traffic/traffic_links.h"
#include "world.h"

namespace tfx::lab {

struct SimulatorSetup {
  double userLat = 0, userLon = 0, userAltitude = 0, userHeading = 0;
  double groundElevation = 0;
  double frameHz = 30;
  std::vector<std::string> installedTitles;
  std::filesystem::path messageLog;  // empty: none
};

// SimConnect operations that go to the in-process stand-in as wire bytes.
class MemoryOps final : public sim::SimConnectOps {
 public:
  explicit MemoryOps(simstandin::SimSession& standin) : standin_(standin) {}

  // Virtual seconds the stand-in sees the next messages at.
  void setTime(double seconds) { seconds_ = seconds; }
  int32_t open(std::string_view applicationName);
  // Replies not yet dispatched, oldest first.
  std::deque<simconnect::Bytes>& replies() { return replies_; }

  int32_t mapClientEventToSimEvent(uint32_t eventId, std::string_view eventName) override;
  int32_t addClientEventToNotificationGroup(uint32_t groupId, uint32_t eventId) override;
  int32_t setNotificationGroupPriority(uint32_t groupId, uint32_t priority) override;
  int32_t subscribeToSystemEvent(uint32_t eventId, std::string_view eventName) override;
  int32_t addToDataDefinition(uint32_t defineId, std::string_view datumName, std::string_view unitsName,
                              simconnect::DataType dataType) override;
  int32_t requestDataOnSimObject(uint32_t requestId, uint32_t defineId, uint32_t objectId,
                                 simconnect::Period period) override;
  int32_t requestDataOnSimObjectType(uint32_t requestId, uint32_t defineId, uint32_t radiusMeters,
                                     simconnect::SimObjectType objectType) override;
  int32_t setDataOnSimObject(uint32_t defineId, uint32_t objectId, simconnect::ByteView record) override;
  int32_t transmitClientEvent(uint32_t objectId, uint32_t eventId, uint32_t data) override;
  int32_t aiCreateNonAtcAircraft(std::string_view containerTitle, std::string_view tailNumber,
                                 const simconnect::InitPosition& position, uint32_t requestId, int32_t& packetIdResult,
                                 uint32_t& packetId) override;
  int32_t aiReleaseControl(uint32_t objectId, uint32_t requestId) override;
  int32_t aiRemoveObject(uint32_t objectId, uint32_t requestId) override;
  int32_t aiSetAircraftFlightPlan(uint32_t objectId, std::string_view path, uint32_t requestId) override;

 private:
  int32_t send(const simconnect::ClientRequest& request);

  simstandin::SimSession& standin_;
  simconnect::SendIdCounter sendIds_;
  std::deque<simconnect::Bytes> replies_;
  double seconds_ = 0;
};

class LabSimulator final : public CycleSimulator {
 public:
  explicit LabSimulator(const SimulatorSetup& setup);

  // Opens, registers and runs frames until the flight runs and the user
  // position is known. Throws std::runtime_error when it never does.
  void connect();
  // Every frame due up to `seconds`; `onFrame` after each, with the world as the simulator holds it.
  template <typename FrameWatcher>
  void runFramesUntil(double seconds, FrameWatcher&& onFrame) {
    while (nextFrame_ <= seconds + 1e-9) {
      frame(nextFrame_);
      onFrame(nextFrame_, world_);
      nextFrame_ = ++frames_ / setup_.frameHz;
    }
  }

  sim::ExchangeLists& exchange() override { return exchange_; }
  double frameRate() const override { return values_.frameRate.load(); }
  LatLon userPosition() const override { return {setup_.userLat, setup_.userLon}; }
  UserSnapshot userSnapshot() const override;
  size_t waitingLiveCreates() override { return exchange_.waitingLiveCreates(); }
  void periodicRequests(int32_t cycle, bool fastGroundScan) override;
  void requestObjectShape(uint32_t objectId) override { core_.requestObjectShape(objectId); }
  void allLightsToggle(uint32_t objectId) override { core_.allLightsToggle(objectId); }
  int32_t assignFlightPlan(uint32_t objectId, std::string_view path) override {
    return core_.assignFlightPlan(objectId, path);
  }
  void writeAiControls(uint32_t objectId, double spoilersPercent, double throttlePercent) override {
    core_.writeAiControls(objectId, spoilersPercent, throttlePercent);
  }

  void setTime(double seconds) { ops_.setTime(seconds); }
  const simstandin::World& world() const { return world_; }

 private:
  void frame(double seconds);
  void dispatchReplies();

  SimulatorSetup setup_;
  simstandin::World world_;
  simstandin::Trace trace_;
  simstandin::SimSession standin_;
  MemoryOps ops_{standin_};
  sim::SessionValues values_;
  sim::ExchangeLists exchange_;
  sim::SessionCore core_{ops_, values_, exchange_};
  sim::SessionDispatcher dispatcher_{core_};
  double nextFrame_ = 0;
  int64_t frames_ = 0;
};

}  // namespace tfx::lab
