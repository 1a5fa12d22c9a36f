#pragma once
// What the user aircraft does over time, from the stand-in's start: parked at
// a position, or flying a straight leg at a speed and altitude; teleports,
// pauses, loaded flights and the quit at given times.
#include <optional>
#include <string>
#include <vector>

#include "world.h"

namespace tfx::simstandin {

struct UserStart {
  double latitude = 47.4582, longitude = 8.5481;  // degrees
  double headingDeg = 0;
  double altitudeFeet = 0;  // 0: on the ground
  double speedKnots = 0;    // above 0: flying a straight leg
};

struct Teleport {
  double atSeconds = 0;
  double latitude = 0, longitude = 0, headingDeg = 0, altitudeFeet = 0;
};

struct FlightLoad {
  double atSeconds = 0;
  std::string fileName;
};

// An AI aircraft that another program creates.
struct OtherTraffic {
  double atSeconds = 0;
  double latitude = 0, longitude = 0, altitudeFeet = 0;
  std::string tailNumber;
};

struct ScenarioPlan {
  UserStart start;
  std::vector<Teleport> teleports;
  std::vector<FlightLoad> flightLoads;
  std::vector<OtherTraffic> otherTraffic;
  std::optional<double> pauseAt, resumeAt, quitAt;
};

struct ScenarioEvents {
  bool teleported = false;
  bool paused = false;
  bool resumed = false;
  bool quit = false;
  std::vector<std::string> flightsLoaded;
  std::vector<uint32_t> otherTrafficAdded;  // object ids
};

class Scenario {
 public:
  explicit Scenario(ScenarioPlan plan);

  // Places the user aircraft at its start.
  void begin(World& world);
  // Moves the user aircraft to the state at `seconds` and tells what happened
  // since the previous call.
  ScenarioEvents advance(World& world, double seconds);
  bool paused() const { return paused_; }

 private:
  void placeLeg(World& world, double latitude, double longitude, double headingDeg, double altitudeFeet);

  ScenarioPlan plan_;
  double lastSeconds_ = 0;
  double movingSeconds_ = 0;  // time the leg has been flown, pauses left out
  double legLatitude_ = 0, legLongitude_ = 0;
  bool paused_ = false;
  size_t nextTeleport_ = 0;
  size_t nextFlightLoad_ = 0;
  size_t nextOtherTraffic_ = 0;
  bool pauseDone_ = false, resumeDone_ = false, quitDone_ = false;
};

}  // namespace tfx::simstandin
