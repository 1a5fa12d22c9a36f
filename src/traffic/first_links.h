#pragma once
// What the traffic cycle gets where nothing else is plugged in: one livery
// for every aircraft, no park airport, and an observer that ignores all; with
// them the motion of live aircraft and the hold for the user aircraft.
#include "traffic/collision_hold.h"
#include "traffic/live_motion.h"
#include "traffic/traffic_links.h"

namespace tfx {

// The title every aircraft gets until livery matching is set up.
inline constexpr std::string_view kDefaultLiveryTitle = "Aeroshadow Default Livery";

class DefaultLivery final : public LiveryMatcher {
 public:
  std::optional<std::string_view> findLiveryLiveAc(const LiveryQuery& query) override;
  // There is no other title to choose; the refusal counts towards the limit only.
  void liveryRefused(const LiveryQuery&, std::string_view) override {}
};

class NoStands final : public ParkingAccess {
 public:
  ParkingView view() override { return {}; }
};

class SilentObserver final : public TrafficObserver {
 public:
  void created(const LiveAircraft&) override {}
  void dropped(const LiveAircraft&, std::string_view) override {}
  void spawned(const LiveAircraft&) override {}
  void objectCreated(const LiveAircraft&) override {}
  void stateChanged(const LiveAircraft&, SimState, SimState) override {}
  void phaseChanged(const LiveAircraft&, FlightPhase, FlightPhase) override {}
  void removed(const LiveAircraft&, std::string_view, SimState) override {}
  void erased(const LiveAircraft&, std::string_view) override {}
  void motion(const LiveAircraft&, const MotionEvent&) override {}
};

// One of each, for the program and the tools.
struct FirstLinks {
  DefaultLivery livery;
  NoStands stands;
  UserCollisionAvoidance userHold;
  LiveMotion motion;
  SilentObserver observer;

  TrafficLinks links() { return {livery, stands, userHold, motion, observer}; }
};

}  // namespace tfx
