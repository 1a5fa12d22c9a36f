#pragma once
// Static parking's view of the live traffic: the live aircraft on the park
// airport's stands, the static aircraft handed to the simulator, the names in
// the simulator, and the removal of a parked aircraft.
#include <cstdint>
#include <string_view>
#include <vector>

#include "airports/parked_traffic.h"
#include "traffic/traffic_context.h"

namespace tfx {

class ParkedLiveTraffic final : public airports::ParkedTraffic {
 public:
  explicit ParkedLiveTraffic(TrafficContext context) : context_(context) {}

  void collectParkedLive(std::vector<airports::ParkedAircraft>& into) const override;
  void collectStatic(std::vector<airports::ParkedAircraft>& into) const override;
  bool presentInSimulator(std::string_view callsignOrRegistration) const override;
  void removeParked(uint32_t hexid, airports::ParkedRemoval reason) override;

 private:
  TrafficContext context_;
};

// The reason a removal is logged and reported with.
std::string_view parkedRemovalName(airports::ParkedRemoval reason);

}  // namespace tfx
