#include "app/user_stand_link.h"

#include "airports/parking_state.h"

namespace tfx::app {

sim::UserStand UserStandLink::standAt(const LatLon& position) const {
  const std::lock_guard guard(lock_);
  const airports::StandPositions::Entry* stand = stands_.nearest(position, airports::kUserStandRangeNm);
  if (stand == nullptr) return {};
  return {static_cast<uint32_t>(stand->index), stand->id};
}

void UserStandLink::userStandChanged(const sim::UserStand& stand) {
  // Recorded at once, so that the next re-check does not ask again before
  // the main program thread got to the recomputation.
  recorded_ = stand.index;
  recomputeRequested_ = true;
}

void UserStandLink::publishStands(std::span<const airports::Stand> stands) {
  airports::StandPositions copy(stands);
  const std::lock_guard guard(lock_);
  stands_ = std::move(copy);
}

}  // namespace tfx::app
