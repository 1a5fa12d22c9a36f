#pragma once
// The lists through which the main program thread and the "SimClient" thread
// exchange work. Outgoing positions, events, create and removal requests,
// pending creations and just-added objects are guarded by the position mutex;
// the notifications back to the main thread by their own mutex.
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "sim/position_block.h"
#include "sim/sim_notification.h"

namespace tfx::sim {

struct SimEvent {
  uint32_t objectId = 0;
  uint32_t eventId = 0;
  uint32_t data = 0;

  bool operator==(const SimEvent&) const = default;
};

// One AI aircraft to create: position and attitude in degrees, altitude in feet.
struct CreateRequest {
  double lat = 0, lon = 0, altitude = 0;
  double pitch = 0, bank = 0, heading = 0;
  uint32_t onGround = 0;
  uint32_t airspeed = 0;
  std::string callsign;     // the tail number, later the ATC ID the object is recognised by
  std::string liveryTitle{};  // the container title
  uint32_t hexid = 0;
};

// A create call that went out: its packet id names it in the simulator's exceptions.
struct PendingCreation {
  uint32_t packetId = 0;
  uint32_t hexid = 0;
  std::string callsign;
};

class ExchangeLists {
 public:
  ExchangeLists();

  // Session start: room for a thousand AI objects in the position buffers and
  // the event list, for 256 entries in the others.
  void reserve();

  // --- main program thread ---
  // Into the fresh position buffer, which only the main thread touches.
  void writePosition(uint32_t objectId, const PositionBlock& block);
  // End of the update pass: hand the fresh positions to the frame work. When
  // the lock is busy and the simulator runs at 50 frames or fewer, this pass's
  // positions are dropped rather than waited for; else it waits and swaps.
  void publishPositions(double frameRate);
  // Both position buffers emptied (flight not running).
  void discardPositions();
  void queueEvent(uint32_t objectId, uint32_t eventId, uint32_t data);
  // Several events in one locked pass (a light setting).
  void queueEvents(std::span<const SimEvent> events);
  void queueCreate(CreateRequest request);
  // Create requests of live aircraft not yet sent to the simulator.
  size_t waitingLiveCreates();
  void queueRemoval(uint32_t objectId);
  // Swaps the posted notifications into `into` (emptied first).
  void takeNotifications(std::vector<SimNotification>& into);

  // --- either thread ---
  void postNotification(const SimNotification& notification);

  std::mutex& positionMutex() { return positionMutex_; }

  // Guarded by positionMutex(); the frame work and the dispatch use them directly.
  std::vector<PositionRecord> outgoing;
  std::vector<SimEvent> events;
  std::vector<CreateRequest> creates;
  std::vector<uint32_t> removals;
  std::vector<PendingCreation> pendingCreations;
  std::vector<uint32_t> justAddedObjects;

 private:
  std::mutex positionMutex_;
  std::vector<PositionRecord> fresh_;
  std::mutex notificationMutex_;
  std::vector<SimNotification> notifications_;
};

}  // namespace tfx::sim
