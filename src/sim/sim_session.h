#pragma once
// The simulator session: the "SimClient" thread that connects to the
// simulator, registers the session, dispatches every message and does the
// frame work, and the operations the main program thread calls.
//
// One SimSession lives for the whole program run; every session prepares it
// anew (prepareSession), starts its thread (start) and waits for it (join).
// The thread leaves when either stop flag is set.
//
// Main program thread, per session: prepareSession, start; wait until
// flightRunning() && !paused(); requestUserOnGroundEverySecond(); wait until
// userPositionKnown(); copyUserState(); requestUserTitleAndModel(). Every
// cycle: periodicRequests(); takeTick() for the one-second tick. The traffic
// code exchanges with the simulator through exchange() (positions, events,
// create and removal requests, notifications) and the direct calls below.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "sim/exchange_lists.h"
#include "sim/parking_links.h"
#include "sim/session_core.h"
#include "sim/session_values.h"
#include "sim/sim_connect_ops.h"
#include "sim/simconnect/simconnect_client.h"
#include "sim/simconnect/simconnect_config.h"
#include "sim/user_state.h"

namespace tfx::sim {

class SimSession {
 public:
  // Connects with the SimConnect.cfg of the current folder, read at each start.
  explicit SimSession(ParkingLinks links = {});
  // Connects with this configuration (tests, tools).
  SimSession(simconnect::SimConnectConfig config, ParkingLinks links = {});
  // Waits for the thread, which leaves only once a stop flag is set.
  ~SimSession();
  SimSession(const SimSession&) = delete;
  SimSession& operator=(const SimSession&) = delete;

  // Before the thread starts: lists reserved to 256, pause flag cleared,
  // the Prepar3D major version the simulator must answer with.
  void prepareSession(int expectedMajorVersion);
  void start();
  // True from start() until the thread body returned.
  bool threadRunning() const { return threadRunning_.load(); }
  void join();

  bool connected() const { return values_.connected.load(); }
  std::string simulatorName() const { return values_.simulatorName(); }
  SimStatusTexts statusTexts() const { return values_.statusTexts(); }
  bool flightRunning() const { return values_.flightRunning.load(); }
  // Set by a failed simulator call; cleared by prepareSession.
  bool paused() const { return values_.paused.load(); }
  // Atomic test-and-clear of the once-a-second tick flag, and a look at it.
  bool takeTick() { return values_.tick.exchange(false); }
  bool tickPending() const { return values_.tick.load(); }
  double frameRate() const { return values_.frameRate.load(); }
  uint32_t userObjectId() const { return values_.userObjectId.load(); }

  // The last received user position is away from 0,0 (more than 0.0001 degrees).
  bool userPositionKnown() const;
  // The snapshot the traffic logic reads; copied by periodicRequests and copyUserState.
  UserState userState() const { return values_.snapshot(); }
  void copyUserState() { values_.copyReceivedToSnapshot(); }
  std::optional<bool> userOnGround() const { return values_.userOnGround(); }
  // Title, model, half wingspan and category of the user aircraft.
  UserAircraft userAircraft() const { return values_.userAircraft(); }

  // Requests 108 every second; negative on failure, which logs
  // "SimConnect request ac gnd/air fails" and runs the request-error routine.
  int32_t requestUserOnGroundEverySecond() { return core_.requestUserOnGroundEverySecond(); }
  // Requests 106 and 107 once; failures are logged and run the request-error routine.
  int32_t requestUserTitleAndModel() { return core_.requestUserTitleAndModel(); }
  // Every main cycle (cycle number of the traffic cycle).
  void periodicRequests(int32_t cycle, bool fastGroundScan, double scanRadiusMeters) {
    core_.periodicRequests(cycle, fastGroundScan, scanRadiusMeters);
  }

  // The exchange lists: writePosition and publishPositions(frameRate()) for the
  // positions, queueEvent(s), queueCreate, queueRemoval, takeNotifications and
  // postNotification (the window's blocked callsigns).
  ExchangeLists& exchange() { return exchange_; }
  // Flight not running: the outgoing position buffers emptied under their lock.
  void discardOutgoing() { exchange_.discardPositions(); }

  // Direct calls of the traffic code. Failures of the first two log their
  // line and run the request-error routine; the flight plan's is left to the caller.
  int32_t requestObjectShape(uint32_t objectId) { return core_.requestObjectShape(objectId); }
  int32_t allLightsToggle(uint32_t objectId) { return core_.allLightsToggle(objectId); }
  int32_t assignFlightPlan(uint32_t objectId, std::string_view path) { return core_.assignFlightPlan(objectId, path); }
  int32_t writeAiControls(uint32_t objectId, double spoilersPercent, double throttlePercent) {
    return core_.writeAiControls(objectId, spoilersPercent, throttlePercent);
  }
  // "SimConnect request error": pauses sending and ends the session for a restart.
  void requestError() { core_.requestError(); }

 private:
  void threadBody();
  void connectAndServe();
  void leave();

  std::optional<simconnect::SimConnectConfig> config_;
  simconnect::SimConnectClient client_;
  ClientOps ops_{client_};
  SessionValues values_;
  ExchangeLists exchange_;
  SessionCore core_;
  std::thread thread_;
  std::atomic<bool> threadRunning_{false};
  bool opened_ = false;  // "SimClient" thread only
};

}  // namespace tfx::sim
