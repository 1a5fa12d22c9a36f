#pragma once
// What the main loop needs of the simulator session: its flags, the
// once-a-second tick, the user aircraft, the periodic requests and the
// exchange lists of the traffic.
#include <cstdint>
#include <optional>
#include <string_view>

#include "realtraffic/control_messages.h"
#include "sim/exchange_lists.h"

namespace tfx::app {

// The user aircraft's height above ground and whether the simulator said it is on the ground.
struct UserGround {
  double aboveGroundFt = 0.0;
  std::optional<bool> onGround;
};

class SimulatorLink {
 public:
  virtual ~SimulatorLink() = default;
  virtual bool flightRunning() const = 0;
  virtual bool paused() const = 0;
  // The tick flag without clearing it, and its test-and-clear.
  virtual bool tickPending() const = 0;
  virtual bool takeTick() = 0;
  virtual bool userPositionKnown() const = 0;
  virtual UserPosition userPosition() const = 0;
  virtual UserGround userGround() const = 0;
  // Half the user aircraft's wingspan, nautical miles; 0 until the simulator named its model.
  virtual double userHalfWingspanNm() const = 0;
  // The simulator's time in seconds since 1970 (for the professional edition).
  virtual int64_t simTime() const = 0;
  virtual void periodicRequests(int32_t cycle, bool fastGroundScan, double scanRadiusMeters) = 0;
  // Positions and events queued for the simulator are dropped while no flight runs.
  virtual void discardOutgoing() = 0;
  // The lists the traffic exchanges with the simulator thread, and the frame rate it reports.
  virtual sim::ExchangeLists& exchange() = 0;
  virtual double frameRate() const = 0;
  // Direct calls for the traffic's AI objects.
  virtual void requestObjectShape(uint32_t objectId) = 0;
  virtual void allLightsToggle(uint32_t objectId) = 0;
  virtual int32_t assignFlightPlan(uint32_t objectId, std::string_view path) = 0;
  virtual void writeAiControls(uint32_t objectId, double spoilersPercent, double throttlePercent) = 0;
};

}  // namespace tfx::app
