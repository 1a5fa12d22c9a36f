#include "scenario.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tfx::simstandin {
namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kMetersPerNm = 1852.0;
constexpr double kEarthRadiusMeters = 6371008.8;

}  // namespace

Scenario::Scenario(ScenarioPlan plan) : plan_(std::move(plan)) {
  std::sort(plan_.teleports.begin(), plan_.teleports.end(),
            [](const Teleport& a, const Teleport& b) { return a.atSeconds < b.atSeconds; });
  std::sort(plan_.flightLoads.begin(), plan_.flightLoads.end(),
            [](const FlightLoad& a, const FlightLoad& b) { return a.atSeconds < b.atSeconds; });
  std::sort(plan_.otherTraffic.begin(), plan_.otherTraffic.end(),
            [](const OtherTraffic& a, const OtherTraffic& b) { return a.atSeconds < b.atSeconds; });
}

void Scenario::begin(World& world) {
  SimObject& user = world.user();
  user.engineRunning = true;
  user.lightStates = 1 | 2;  // navigation and beacon
  placeLeg(world, plan_.start.latitude, plan_.start.longitude, plan_.start.headingDeg, plan_.start.altitudeFeet);
}

void Scenario::placeLeg(World& world, double latitude, double longitude, double headingDeg, double altitudeFeet) {
  SimObject& user = world.user();
  legLatitude_ = latitude;
  legLongitude_ = longitude;
  movingSeconds_ = 0;
  user.latitude = latitude;
  user.longitude = longitude;
  user.heading = std::fmod(headingDeg * kDegToRad + 2 * std::numbers::pi, 2 * std::numbers::pi);
  user.altitudeFeet = altitudeFeet;
  world.clampToGround(user);
  user.groundSpeedKnots = plan_.start.speedKnots;
  user.trueAirspeedKnots = plan_.start.speedKnots;
}

ScenarioEvents Scenario::advance(World& world, double seconds) {
  ScenarioEvents events;
  const double elapsed = std::max(0.0, seconds - lastSeconds_);
  lastSeconds_ = seconds;
  // The time up to now was flown, or not, in the state it was in.
  if (!paused_) movingSeconds_ += elapsed;
  if (plan_.pauseAt && !pauseDone_ && seconds >= *plan_.pauseAt) {
    pauseDone_ = true;
    paused_ = events.paused = true;
  }
  if (plan_.resumeAt && !resumeDone_ && seconds >= *plan_.resumeAt && pauseDone_) {
    resumeDone_ = true;
    paused_ = false;
    events.resumed = true;
  }
  while (nextTeleport_ < plan_.teleports.size() && plan_.teleports[nextTeleport_].atSeconds <= seconds) {
    const Teleport& t = plan_.teleports[nextTeleport_++];
    placeLeg(world, t.latitude, t.longitude, t.headingDeg, t.altitudeFeet);
    events.teleported = true;
  }
  while (nextFlightLoad_ < plan_.flightLoads.size() && plan_.flightLoads[nextFlightLoad_].atSeconds <= seconds)
    events.flightsLoaded.push_back(plan_.flightLoads[nextFlightLoad_++].fileName);
  while (nextOtherTraffic_ < plan_.otherTraffic.size() &&
         plan_.otherTraffic[nextOtherTraffic_].atSeconds <= seconds) {
    const OtherTraffic& o = plan_.otherTraffic[nextOtherTraffic_++];
    events.otherTrafficAdded.push_back(world.addOtherTraffic(o.tailNumber, o.latitude, o.longitude, o.altitudeFeet));
  }
  if (plan_.quitAt && !quitDone_ && seconds >= *plan_.quitAt) quitDone_ = events.quit = true;

  SimObject& user = world.user();
  user.groundSpeedKnots = paused_ ? 0 : plan_.start.speedKnots;
  if (plan_.start.speedKnots > 0) {
    // A straight line on a locally flat earth: good enough for legs of some tens of miles.
    const double distance = plan_.start.speedKnots * kMetersPerNm * movingSeconds_ / 3600.0;
    const double north = distance * std::cos(user.heading);
    const double east = distance * std::sin(user.heading);
    user.latitude = legLatitude_ + north / kEarthRadiusMeters / kDegToRad;
    user.longitude = legLongitude_ + east / (kEarthRadiusMeters * std::cos(legLatitude_ * kDegToRad)) / kDegToRad;
  }
  return events;
}

}  // namespace tfx::simstandin
