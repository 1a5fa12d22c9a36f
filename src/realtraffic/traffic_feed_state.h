#pragma once
// What the traffic decoding reads besides the datagram, written by other
// threads: the reference position (the user aircraft), the park airport and
// its ground elevation, the callsign collection, and the feed's last time.
//
// Each value is its own atomic. A reader may see a new latitude with an old
// longitude while a writer moves a position; for a radius filter of many miles
// and a 5 nm ground rule one such report decided on a mixed position is harmless,
// and the decoding never waits for a lock.
#include <atomic>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "core/geodesy.h"

namespace tfx {

class TrafficFeedState {
 public:
  void setReferencePosition(const LatLon& position);
  LatLon referencePosition() const;

  // The park airport's elevation; unknown until the static parking sets it.
  void setGroundElevation(double feet);
  void clearGroundElevation();
  std::optional<double> groundElevation() const;

  // Ground traffic is kept only near the park airport.
  void setParkAirport(const LatLon& position);
  void clearParkAirport();
  std::optional<LatLon> parkAirport() const;

  // While collecting, every usable callsign of the feed goes into seenCallsigns.
  void setCollecting(bool collecting) { collecting_ = collecting; }
  bool collecting() const { return collecting_.load(std::memory_order_relaxed); }
  void addSeenCallsign(std::string_view callsign);
  std::set<std::string, std::less<>> seenCallsigns() const;
  // Reads and empties the set.
  std::set<std::string, std::less<>> takeSeenCallsigns();
  void clearSeenCallsigns();

  // The feed's time of the last report decoded (seconds); 0 until one came.
  std::atomic<double> lastTimestamp{0.0};

 private:
  std::atomic<double> referenceLat_{0.0};
  std::atomic<double> referenceLon_{0.0};
  std::atomic<double> groundElevation_{0.0};
  std::atomic<bool> groundElevationKnown_{false};
  std::atomic<double> parkLat_{0.0};
  std::atomic<double> parkLon_{0.0};
  std::atomic<bool> parkAirportSet_{false};
  std::atomic<bool> collecting_{false};
  mutable std::mutex seenLock_;
  std::set<std::string, std::less<>> seenCallsigns_;
};

}  // namespace tfx
