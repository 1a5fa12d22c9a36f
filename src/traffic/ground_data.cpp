#include "traffic/ground_data.h"

#include <algorithm>
#include <cmath>

#include "traffic/landing.h"
#include "traffic/motion_math.h"

namespace tfx {
namespace {

constexpr double kLeastCgHeightFt = 1.0;
constexpr double kMostCgHeightFt = 35.0;
constexpr double kLeastGroundPitch = -0.017453292519943295;  // -1 degree
constexpr double kMostGroundPitch = 0.04363323129985824;  // 2.5 degrees
constexpr double kUsualGroundPitch = 0.012217304763960306;  // 0.7 degrees
// From the second on-ground report on the altitude follows the ground.
constexpr int32_t kGroundFollowed = 2;

LiveAircraft* ownerOf(TrafficContext& context, uint32_t objectId) {
  if (objectId == 0) return nullptr;
  for (LiveAircraft& aircraft : context.state.liveList)
    if (aircraft.objectId == objectId) return &aircraft;
  return nullptr;
}

}  // namespace

void onGroundData(TrafficContext& context, const sim::SimNotification& notification) {
  LiveAircraft* aircraft = ownerOf(context, notification.objectId);
  // Decided here: a value that is no number would spread into the shown position.
  if (aircraft == nullptr || !std::isfinite(notification.valueA) || !std::isfinite(notification.valueB)) return;
  aircraft->altitudeAboveGround = notification.valueB;
  // During the take-off the roll decides; the counter is the take-off counter then.
  if (aircraft->phase == FlightPhase::TakeOff) return;
  if (notification.hexid == 0) {
    aircraft->onGroundConfirmed = false;
    return;
  }
  MotionValues& m = aircraft->motion;
  if (!aircraft->onGroundConfirmed && (m.landing || m.approachStage > 0)) touchdown(context, *aircraft);
  aircraft->onGroundConfirmed = true;
  aircraft->groundCounter = std::min(aircraft->groundCounter + 1, kGroundFollowed);
  if (aircraft->groundCounter >= kGroundFollowed) aircraft->block.altitude = notification.valueA;
}

void onObjectShape(TrafficContext& context, const sim::SimNotification& notification) {
  LiveAircraft* aircraft = ownerOf(context, notification.objectId);
  if (aircraft == nullptr) return;
  if (notification.valueA >= kLeastCgHeightFt && notification.valueA <= kMostCgHeightFt)
    aircraft->cgHeight = notification.valueA;
  const double pitch = notification.valueB;
  aircraft->groundPitch = pitch > kLeastGroundPitch && pitch <= kMostGroundPitch ? pitch : kUsualGroundPitch;
}

}  // namespace tfx
