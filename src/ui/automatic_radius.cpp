#include "ui/automatic_radius.h"

#include <cmath>

#include "core/parameters.h"
#include "core/version_update.h"

namespace tfx::ui {

int32_t automatic_radius(const RadiusInputs& inputs) {
  if (inputs.onGround) return 10;
  // Both limits compare the height above ground, so a high airfield does not count as cruise.
  if (inputs.aboveGroundFt > inputs.arAboveHeightFt) return 100;
  if (inputs.aboveGroundFt > inputs.airportHeightFt) return 40;
  const double distance = inputs.parkAirportNm;
  if (distance <= 7.0) return 10;
  if (distance < 37.0) return nearestRangeValue(static_cast<int32_t>(std::lround(distance)) + 3);
  return 40;
}

RadiusUser radiusUserOf(const PictureUser& user) {
  return {{user.lat, user.lon}, user.aboveGroundFt, user.onGround};
}

void applyAutomaticRadius(const std::optional<RadiusUser>& user, const std::optional<LatLon>& parkAirport) {
  if (!user) return;
  const RadiusInputs inputs{
      .onGround = user->onGround,
      .aboveGroundFt = user->aboveGroundFt,
      .parkAirportNm = parkAirport ? gf_distanceNm(user->position, *parkAirport) : kNoParkAirportDistanceNm,
      .arAboveHeightFt = AR_ABOVE_HEIGHT.value(),
      .airportHeightFt = AIRP_HEIGHT.value(),
  };
  const int32_t before = RANGE.value();
  RANGE.set(automatic_radius(inputs));
  updateTrafficRadius();
  if (RANGE.value() != before) RANGE.showInControl();
}

}  // namespace tfx::ui
