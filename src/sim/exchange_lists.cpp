#include "sim/exchange_lists.h"

#include <algorithm>

#include "sim/sim_ids.h"

namespace tfx::sim {
namespace {

// At this frame rate or below a frame comes rarely enough that a busy lock
// means the positions would be stale before they are sent.
constexpr double kWaitForLockAboveFrameRate = 50.0;

}  // namespace

ExchangeLists::ExchangeLists() { reserve(); }

void ExchangeLists::reserve() {
  std::scoped_lock lock(positionMutex_, notificationMutex_);
  outgoing.reserve(kPerObjectExchangeReserve);
  fresh_.reserve(kPerObjectExchangeReserve);
  events.reserve(kPerObjectExchangeReserve);
  creates.reserve(kExchangeReserve);
  removals.reserve(kExchangeReserve);
  pendingCreations.reserve(kExchangeReserve);
  justAddedObjects.reserve(kExchangeReserve);
  notifications_.reserve(kExchangeReserve);
}

void ExchangeLists::writePosition(uint32_t objectId, const PositionBlock& block) {
  fresh_.push_back({objectId, block});
}

void ExchangeLists::publishPositions(double frameRate) {
  std::unique_lock lock(positionMutex_, std::try_to_lock);
  if (!lock.owns_lock()) {
    if (frameRate <= kWaitForLockAboveFrameRate) {
      fresh_.clear();
      return;
    }
    lock.lock();
  }
  outgoing.swap(fresh_);
  fresh_.clear();
}

void ExchangeLists::discardPositions() {
  std::lock_guard lock(positionMutex_);
  outgoing.clear();
  fresh_.clear();
}

void ExchangeLists::queueEvent(uint32_t objectId, uint32_t eventId, uint32_t data) {
  std::lock_guard lock(positionMutex_);
  events.push_back({objectId, eventId, data});
}

void ExchangeLists::queueEvents(std::span<const SimEvent> more) {
  std::lock_guard lock(positionMutex_);
  events.insert(events.end(), more.begin(), more.end());
}

void ExchangeLists::queueCreate(CreateRequest request) {
  std::lock_guard lock(positionMutex_);
  creates.push_back(std::move(request));
}

void ExchangeLists::queueRemoval(uint32_t objectId) {
  std::lock_guard lock(positionMutex_);
  removals.push_back(objectId);
}

size_t ExchangeLists::waitingLiveCreates() {
  std::lock_guard lock(positionMutex_);
  return static_cast<size_t>(std::count_if(creates.begin(), creates.end(),
                                           [](const CreateRequest& r) { return r.hexid > kMaxStaticHexid; }));
}

void ExchangeLists::takeNotifications(std::vector<SimNotification>& into) {
  into.clear();
  std::lock_guard lock(notificationMutex_);
  notifications_.swap(into);
}

void ExchangeLists::postNotification(const SimNotification& notification) {
  std::lock_guard lock(notificationMutex_);
  notifications_.push_back(notification);
}

}  // namespace tfx::sim
