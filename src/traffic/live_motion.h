#pragma once
// The motion of live aircraft: reports taken while extrapolating, landing or
// taking off, the motion step at each due point and the per-cycle step.
#include "traffic/traffic_links.h"

namespace tfx {

class LiveMotion final : public AircraftMotion {
 public:
  bool takeReport(TrafficContext& context, LiveAircraft& aircraft, TrackPoint point) override;
  void advance(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle) override;
  void move(TrafficContext& context, LiveAircraft& aircraft) override;
};

}  // namespace tfx
