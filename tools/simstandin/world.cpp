#include "world.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "text.h"

namespace tfx::simstandin {
namespace {

constexpr double kOnGroundMarginFeet = 1.0;
constexpr double kEarthRadiusMeters = 6371008.8;
constexpr double kDegToRad = std::numbers::pi / 180.0;

}  // namespace

double distanceMeters(double lat1, double lon1, double lat2, double lon2) {
  const double dLat = (lat2 - lat1) * kDegToRad;
  const double dLon = (lon2 - lon1) * kDegToRad;
  const double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                   std::cos(lat1 * kDegToRad) * std::cos(lat2 * kDegToRad) * std::sin(dLon / 2) * std::sin(dLon / 2);
  return 2 * kEarthRadiusMeters * std::asin(std::min(1.0, std::sqrt(a)));
}

World::World(double groundElevationFeet, const std::vector<std::string>& installedTitles)
    : groundElevation_(groundElevationFeet) {
  for (const auto& title : installedTitles) titles_.insert(lower(title));
  SimObject user;
  user.id = kUserObjectId;
  user.isUser = true;
  user.altitudeFeet = groundElevationFeet;
  objects_[kUserObjectId] = user;
}

SimObject* World::find(uint32_t id) {
  const auto it = objects_.find(id);
  return it == objects_.end() ? nullptr : &it->second;
}

std::optional<uint32_t> World::createAircraft(const std::string& title, const std::string& tailNumber,
                                              double latitude, double longitude, double altitudeFeet,
                                              double pitchDeg, double bankDeg, double headingDeg,
                                              double airspeedKnots) {
  if (!titles_.contains(lower(title))) return std::nullopt;
  return addAircraft(title, tailNumber, latitude, longitude, altitudeFeet, pitchDeg, bankDeg, headingDeg,
                     airspeedKnots);
}

uint32_t World::addOtherTraffic(const std::string& tailNumber, double latitude, double longitude,
                                double altitudeFeet) {
  return addAircraft(kOtherTrafficTitle, tailNumber, latitude, longitude, altitudeFeet, 0, 0, 0, 0);
}

uint32_t World::addAircraft(const std::string& title, const std::string& tailNumber, double latitude,
                            double longitude, double altitudeFeet, double pitchDeg, double bankDeg,
                            double headingDeg, double airspeedKnots) {
  SimObject object;
  object.id = nextAiId_++;
  object.title = title;
  object.atcId = tailNumber;
  object.latitude = latitude;
  object.longitude = longitude;
  object.altitudeFeet = altitudeFeet;
  object.pitch = pitchDeg * kDegToRad;
  object.bank = bankDeg * kDegToRad;
  object.heading = headingDeg * kDegToRad;
  object.trueAirspeedKnots = std::max(0.0, airspeedKnots);
  clampToGround(object);
  objects_[object.id] = object;
  return object.id;
}

bool World::remove(uint32_t id) { return id != kUserObjectId && objects_.erase(id) == 1; }

std::vector<uint32_t> World::removeAllAi() {
  std::vector<uint32_t> removed;
  for (auto it = objects_.begin(); it != objects_.end();) {
    if (it->second.isUser) {
      ++it;
    } else {
      removed.push_back(it->first);
      it = objects_.erase(it);
    }
  }
  return removed;
}

std::vector<const SimObject*> World::aircraftWithin(double radiusMeters) const {
  const SimObject& self = objects_.at(kUserObjectId);
  std::vector<const SimObject*> result{&self};
  for (const auto& [id, object] : objects_) {
    if (object.isUser) continue;
    if (distanceMeters(self.latitude, self.longitude, object.latitude, object.longitude) <= radiusMeters)
      result.push_back(&object);
  }
  return result;
}

bool World::onGround(const SimObject& object) const {
  return object.altitudeFeet <= groundElevation_ + kOnGroundMarginFeet;
}

double World::altitudeAboveGround(const SimObject& object) const {
  return std::max(0.0, object.altitudeFeet - groundElevation_);
}

void World::clampToGround(SimObject& object) const { object.altitudeFeet = std::max(object.altitudeFeet, groundElevation_); }

}  // namespace tfx::simstandin
