#pragma once
// The simulator session's logic, without thread or socket: the routines that
// dispatch, the frame work and the main thread's requests share. The
// "SimClient" thread and the main program thread both call into it; what they
// share is in SessionValues (atomics and a lock) and ExchangeLists (its mutexes).
#include <cstdint>
#include <string_view>

#include "sim/exchange_lists.h"
#include "sim/parking_links.h"
#include "sim/session_values.h"
#include "sim/sim_connect_ops.h"

namespace tfx::sim {

class SessionCore {
 public:
  SessionCore(SimConnectOps& ops, SessionValues& values, ExchangeLists& exchange, ParkingLinks links = {});

  SimConnectOps& ops() { return ops_; }
  SessionValues& values() { return values_; }
  ExchangeLists& exchange() { return exchange_; }

  // --- "SimClient" thread ---
  // Sends what the main thread queued; never waits for the position mutex.
  // Returns false when the frame was skipped because the lock was busy.
  bool frameWork();
  // A new flight, file or place: the session ends and restarts after 30 s.
  void restartForNewFlight();
  // The simulator quit or the connection broke.
  void simulatorGone();
  // When the user aircraft stands still on the ground on another stand than
  // the one recorded, records it and has the static parking computed anew.
  void recheckUserStand();
  UserStand standAt(const LatLon& position) const;

  // --- either thread ---
  // A simulator call failed: "SimConnect request error", sending paused, and
  // the session ends for a restart unless an exit is under way already.
  void requestError();

  // --- main program thread ---
  // Every main cycle: request 101 (every 20th cycle while a fast ground scan is
  // wanted, else every 100th) and, every 100th, request 109 and copy the last
  // received user state into the snapshot.
  void periodicRequests(int32_t cycle, bool fastGroundScan, double scanRadiusMeters);
  int32_t requestUserState();
  int32_t requestUserOnGroundEverySecond();
  int32_t requestUserTitleAndModel();
  int32_t requestObjectShape(uint32_t objectId);
  // "ALL_LIGHTS_TOGGLE" with data 0, sent at once under the position mutex.
  int32_t allLightsToggle(uint32_t objectId);
  int32_t assignFlightPlan(uint32_t objectId, std::string_view path);
  // Definition 401 written at once under the position mutex: the spoilers
  // handle and both throttle levers, in percent.
  int32_t writeAiControls(uint32_t objectId, double spoilersPercent, double throttlePercent);

 private:
  void sendPositions();
  // Each returns false once the request-error routine paused the session.
  bool sendEvents();
  bool sendCreates();
  bool sendRemovals();
  void clearOutgoing();
  int32_t checked(int32_t result, std::string_view failureLine);

  SimConnectOps& ops_;
  SessionValues& values_;
  ExchangeLists& exchange_;
  UserStandLookup& standLookup_;
  StaticParkingRecompute& staticParking_;
};

}  // namespace tfx::sim
