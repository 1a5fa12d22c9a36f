#include "realtraffic/traffic_feed_state.h"

#include <utility>

namespace tfx {

void TrafficFeedState::setReferencePosition(const LatLon& position) {
  referenceLat_ = position.lat;
  referenceLon_ = position.lon;
}

LatLon TrafficFeedState::referencePosition() const {
  return {referenceLat_.load(std::memory_order_relaxed), referenceLon_.load(std::memory_order_relaxed)};
}

void TrafficFeedState::setGroundElevation(double feet) {
  groundElevation_ = feet;
  groundElevationKnown_ = true;
}

void TrafficFeedState::clearGroundElevation() { groundElevationKnown_ = false; }

std::optional<double> TrafficFeedState::groundElevation() const {
  if (!groundElevationKnown_.load()) return std::nullopt;
  return groundElevation_.load();
}

void TrafficFeedState::setParkAirport(const LatLon& position) {
  parkLat_ = position.lat;
  parkLon_ = position.lon;
  parkAirportSet_ = true;
}

void TrafficFeedState::clearParkAirport() { parkAirportSet_ = false; }

std::optional<LatLon> TrafficFeedState::parkAirport() const {
  if (!parkAirportSet_.load()) return std::nullopt;
  return LatLon{parkLat_.load(), parkLon_.load()};
}

void TrafficFeedState::addSeenCallsign(std::string_view callsign) {
  std::lock_guard guard(seenLock_);
  if (seenCallsigns_.find(callsign) == seenCallsigns_.end()) seenCallsigns_.emplace(callsign);
}

std::set<std::string, std::less<>> TrafficFeedState::seenCallsigns() const {
  std::lock_guard guard(seenLock_);
  return seenCallsigns_;
}

std::set<std::string, std::less<>> TrafficFeedState::takeSeenCallsigns() {
  std::lock_guard guard(seenLock_);
  return std::exchange(seenCallsigns_, {});
}

void TrafficFeedState::clearSeenCallsigns() {
  std::lock_guard guard(seenLock_);
  seenCallsigns_.clear();
}

}  // namespace tfx
