#include "traffic/live_motion.h"

#include "traffic/cycle_step.h"
#include "traffic/motion_step.h"
#include "traffic/report_taking.h"
#include "traffic/stand_leaving.h"
#include "traffic/take_off.h"

namespace tfx {

bool LiveMotion::takeReport(TrafficContext& context, LiveAircraft& aircraft, TrackPoint point) {
  takeOffCheck(context, aircraft, point);
  switch (aircraft.phase) {
    case FlightPhase::Parked: return aircraft.state == SimState::Active && takeParkedReport(aircraft, point);
    case FlightPhase::PushingBack: decidePushBackTurn(aircraft, point); return false;
    case FlightPhase::PushedBack: return takePushedBackReport(context, aircraft, point);
    default: return checkExtendingSituations(aircraft, point);
  }
}

void LiveMotion::advance(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle) {
  nextPosMain(context, aircraft, cycle);
}

void LiveMotion::move(TrafficContext& context, LiveAircraft& aircraft) { movePerCycle(context, aircraft); }

}  // namespace tfx
