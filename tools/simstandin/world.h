#pragma once
// The objects of the simulated world: the user aircraft and the AI aircraft
// the client created, over a flat ground at one elevation.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tfx::simstandin {

struct SimObject {
  uint32_t id = 0;
  bool isUser = false;
  std::string title;
  std::string atcId;
  std::string atcModel;
  double latitude = 0, longitude = 0;  // degrees
  double altitudeFeet = 0;
  double pitch = 0, bank = 0, heading = 0;  // radians, heading true
  double verticalSpeedFps = 0;
  double trueAirspeedKnots = 0;
  double groundSpeedKnots = 0;
  uint32_t lightStates = 0;
  bool engineRunning = false;
  bool aiReleased = false;
  bool frozenPosition = false, frozenAltitude = false, frozenAttitude = false;
  std::string flightPlan;
};

// Shape values every AI object reports (feet, radians).
inline constexpr double kStaticCgToGroundFeet = 6.5;
inline constexpr double kStaticPitchRadians = 0.01;
// The title of the aircraft that other programs create.
inline constexpr const char* kOtherTrafficTitle = "Other Program Traffic";

class World {
 public:
  static constexpr uint32_t kUserObjectId = 1;

  World(double groundElevationFeet, const std::vector<std::string>& installedTitles);

  SimObject& user() { return objects_.at(kUserObjectId); }
  SimObject* find(uint32_t id);
  const std::map<uint32_t, SimObject>& objects() const { return objects_; }

  // A new AI aircraft of an installed title (compared case-blind); nullopt for an unknown title.
  std::optional<uint32_t> createAircraft(const std::string& title, const std::string& tailNumber, double latitude,
                                         double longitude, double altitudeFeet, double pitchDeg, double bankDeg,
                                         double headingDeg, double airspeedKnots);
  // An AI aircraft another program put into the simulator; its title need not be installed.
  uint32_t addOtherTraffic(const std::string& tailNumber, double latitude, double longitude, double altitudeFeet);
  bool remove(uint32_t id);
  // Ids of the AI objects that went.
  std::vector<uint32_t> removeAllAi();

  // The user aircraft first, then every AI object within the radius of it.
  std::vector<const SimObject*> aircraftWithin(double radiusMeters) const;

  double groundElevationFeet() const { return groundElevation_; }
  // At or below the ground plus a small margin counts as on the ground.
  bool onGround(const SimObject& object) const;
  double altitudeAboveGround(const SimObject& object) const;
  // Keeps objects from sinking below the ground.
  void clampToGround(SimObject& object) const;

 private:
  uint32_t addAircraft(const std::string& title, const std::string& tailNumber, double latitude, double longitude,
                       double altitudeFeet, double pitchDeg, double bankDeg, double headingDeg, double airspeedKnots);

  double groundElevation_;
  std::set<std::string> titles_;  // lower case
  std::map<uint32_t, SimObject> objects_;
  uint32_t nextAiId_ = 100;
};

// Great-circle distance in metres.
double distanceMeters(double lat1, double lon1, double lat2, double lon2);

}  // namespace tfx::simstandin
