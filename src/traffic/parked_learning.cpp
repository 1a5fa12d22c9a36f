#include "traffic/parked_learning.h"

#include "airports/stand_learning.h"
#include "core/parameters.h"

namespace tfx {
namespace {

bool learning(const ParkingView& view) {
  return view.parking != nullptr && view.parking->statics.learnSoftAllowed && LEARN_SOFT.value() &&
         view.now.day >= 1;
}

void record(ParkingView& view, LiveAircraft& aircraft, bool continuous) {
  airports::lt_addStandOption(view.parking->stands, static_cast<int>(aircraft.standId),
                              {.objectId = aircraft.objectId,
                               .registration = aircraft.registration,
                               .callsign = aircraft.callsign,
                               .airline = aircraft.airline,
                               .type = aircraft.type},
                              view.now, continuous);
  aircraft.learnedAt = airports::packDayHalfHour(view.now.day, view.now.halfHour);
}

}  // namespace

void learnParked(TrafficContext& context, LiveAircraft& aircraft, bool continuous) {
  ParkingView view = context.links.stands.view();
  if (learning(view) && aircraft.standId != 0) record(view, aircraft, continuous);
}

void learnParkedEachHalfHour(TrafficContext& context) {
  ParkingView view = context.links.stands.view();
  if (!learning(view)) return;
  const int32_t now = airports::packDayHalfHour(view.now.day, view.now.halfHour);
  for (LiveAircraft& aircraft : context.state.liveList) {
    if (aircraft.state != SimState::Active || aircraft.phase != FlightPhase::Parked || aircraft.standId == 0 ||
        aircraft.learnedAt == now)
      continue;
    record(view, aircraft, true);
  }
}

}  // namespace tfx
