#include "traffic/object_birth.h"

#include <algorithm>

#include "core/log.h"
#include "core/log_line.h"
#include "flightplan/flight_plan_list.h"
#include "traffic/object_controls.h"
#include "traffic/removal.h"
#include "traffic/stand_arrival.h"

namespace tfx {
namespace {

// Object ids up to the user aircraft's initial one are never AI objects.
constexpr uint32_t kFirstAiObjectId = 3;
constexpr int32_t kFirstLightsToggle = 50;
constexpr int32_t kSecondLightsToggle = 100;
constexpr int32_t kActivationCount = 200;

void activate(TrafficContext& context, LiveAircraft& aircraft) {
  lightUpLiveAircraft(context.simulator.exchange(), aircraft);
  changeState(context, aircraft, SimState::Active);
  if (aircraft.removalPending) {
    aircraft.removalPending = false;
    removeAircraftFromSim(context, aircraft, "removal-pending");
  }
}

// True when the entry is done.
bool countOn(TrafficContext& context, CreatedObject& created) {
  ++created.counter;
  LiveAircraft* aircraft = context.state.findHexid(created.hexid);
  // Decided here: a record that went while its object settled leaves the
  // object to the removal that erased it; the entry just ends.
  if (aircraft == nullptr || aircraft->objectId != created.objectId) return true;
  if (created.counter == kFirstLightsToggle || created.counter == kSecondLightsToggle) {
    context.simulator.allLightsToggle(created.objectId);
  }
  if (created.counter < kActivationCount) return false;
  if (aircraft->state == SimState::Adding2Sim) activate(context, *aircraft);
  return true;
}

// With origin and destination known, the simulator's displays show them.
void assignFlightPlan(TrafficContext& context, const LiveAircraft& aircraft) {
  if (context.flightPlans == nullptr) return;
  const std::string name = aircraftName(aircraft);
  const auto plan = context.flightPlans->planFor(aircraft.hexid, name, static_cast<int>(aircraft.category),
                                                 aircraft.origin, aircraft.destination);
  if (plan && context.simulator.assignFlightPlan(aircraft.objectId, plan->string()) < 0) {
    writeLogLine("{} creating a flight plan failed", name);
  }
}

}  // namespace

void onLiveObjectCreated(TrafficContext& context, const sim::SimNotification& notification) {
  if (notification.objectId < kFirstAiObjectId) return;
  LiveAircraft* aircraft = context.state.findHexid(notification.hexid);
  if (aircraft == nullptr || aircraft->state != SimState::Adding2Sim) {
    // Decided here: an object whose record is gone would stay in the simulator for good.
    writeLogLine("{} hexid {} has no record waiting, object {} removed", "onLiveObjectCreated",
                         notification.hexid, notification.objectId);
    context.state.removalQueue.push_back(notification.objectId);
    return;
  }
  aircraft->objectId = notification.objectId;
  aircraft->altitudeAboveGround = notification.valueB;
  assignFlightPlan(context, *aircraft);
  context.simulator.requestObjectShape(notification.objectId);
  context.state.createdObjects.push_back({notification.objectId, notification.hexid, 0});
  context.links.observer.objectCreated(*aircraft);
  parkedAtBirth(context, *aircraft);
}

void advanceCreatedObjects(TrafficContext& context) {
  std::erase_if(context.state.createdObjects, [&](CreatedObject& created) { return countOn(context, created); });
}

}  // namespace tfx
