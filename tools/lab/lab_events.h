#pragma once
// The decisions of the traffic cycle as the lab writes them: one JSON object
// per line, {"t_s":..,"hexid":..,"what":..,"details":{..}}, with counts for the summary.
#include <map>
#include <ostream>
#include <string>

#include "traffic/traffic_links.h"

namespace tfx::lab {

class EventWriter final : public TrafficObserver {
 public:
  explicit EventWriter(std::ostream& out) : out_(out) {}

  void created(const LiveAircraft& aircraft) override;
  void dropped(const LiveAircraft& aircraft, std::string_view reason) override;
  void spawned(const LiveAircraft& aircraft) override;
  void objectCreated(const LiveAircraft& aircraft) override;
  void stateChanged(const LiveAircraft& aircraft, SimState from, SimState to) override;
  void phaseChanged(const LiveAircraft& aircraft, FlightPhase from, FlightPhase to) override;
  void removed(const LiveAircraft& aircraft, std::string_view reason, SimState state) override;
  void erased(const LiveAircraft& aircraft, std::string_view reason) override;
  void motion(const LiveAircraft& aircraft, const MotionEvent& event) override;

  int64_t createdCount = 0;
  int64_t spawnedCount = 0;
  int64_t droppedCount = 0;
  int64_t erasedCount = 0;
  std::map<std::string, int64_t, std::less<>> dropReasons;

 private:
  template <typename Details>
  void write(const LiveAircraft& aircraft, std::string_view what, const Details& details);

  std::ostream& out_;
};

}  // namespace tfx::lab
