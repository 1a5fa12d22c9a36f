#pragma once
// The park airport's stands as the "SimClient" thread sees them, and the
// user-stand change it hands to the main program thread. The simulator
// thread looks stands up in a copy made when the stands change, and leaves
// the recomputation of the static parking as an atomic request.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>

#include "airports/stand.h"
#include "airports/stand_geometry.h"
#include "sim/parking_links.h"

namespace tfx::app {

class UserStandLink final : public sim::UserStandLookup, public sim::StaticParkingRecompute {
 public:
  // "SimClient" thread.
  sim::UserStand standAt(const LatLon& position) const override;
  uint32_t recordedUserStand() const override { return recorded_.load(); }
  void userStandChanged(const sim::UserStand& stand) override;

  // Main program thread: the park airport's stands (none when it is cleared),
  // the stand recorded for the user, and taking a pending change.
  void publishStands(std::span<const airports::Stand> stands);
  void setRecordedUserStand(uint32_t index) { recorded_ = index; }
  bool takeRecomputeRequest() { return recomputeRequested_.exchange(false); }
  sim::ParkingLinks links() { return {this, this}; }

 private:
  mutable std::mutex lock_;
  airports::StandPositions stands_;
  std::atomic<uint32_t> recorded_{0};
  std::atomic<bool> recomputeRequested_{false};
};

}  // namespace tfx::app
