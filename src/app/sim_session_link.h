#pragma once
// The simulator session as the main loop sees it.
#include "app/simulator_link.h"
#include "sim/sim_session.h"

namespace tfx::app {

class SimSessionLink final : public SimulatorLink {
 public:
  explicit SimSessionLink(sim::SimSession& session) : session_(session) {}

  bool flightRunning() const override { return session_.flightRunning(); }
  bool paused() const override { return session_.paused(); }
  bool tickPending() const override { return session_.tickPending(); }
  bool takeTick() override { return session_.takeTick(); }
  bool userPositionKnown() const override { return session_.userPositionKnown(); }
  UserPosition userPosition() const override;
  UserGround userGround() const override { return {session_.userState().altitudeAboveGround, session_.userOnGround()}; }
  double userHalfWingspanNm() const override { return session_.userAircraft().halfWingspanNm; }
  int64_t simTime() const override { return session_.userState().epochTime; }
  void periodicRequests(int32_t cycle, bool fastGroundScan, double scanRadiusMeters) override {
    session_.periodicRequests(cycle, fastGroundScan, scanRadiusMeters);
  }
  void discardOutgoing() override { session_.discardOutgoing(); }
  sim::ExchangeLists& exchange() override { return session_.exchange(); }
  double frameRate() const override { return session_.frameRate(); }
  void requestObjectShape(uint32_t objectId) override { session_.requestObjectShape(objectId); }
  void allLightsToggle(uint32_t objectId) override { session_.allLightsToggle(objectId); }
  int32_t assignFlightPlan(uint32_t objectId, std::string_view path) override {
    return session_.assignFlightPlan(objectId, path);
  }
  void writeAiControls(uint32_t objectId, double spoilersPercent, double throttlePercent) override {
    session_.writeAiControls(objectId, spoilersPercent, throttlePercent);
  }

 private:
  sim::SimSession& session_;
};

}  // namespace tfx::app
