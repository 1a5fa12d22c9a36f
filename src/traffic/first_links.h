#pragma once
// What the traffic cycle gets from the subsystems that do not offer more yet:
// one livery for every aircraft, no stands, no hold for the user aircraft, and
// an observer that ignores all; with them the motion of live aircraft.
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

class NoStands final : public StandSearch {
 public:
  std::optional<StandChoice> findStand(const LiveAircraft&) override { return std::nullopt; }
  void releaseStand(const LiveAircraft&) override {}
};

class NoUserHold final : public UserCollisionHold {
 public:
  bool holdsBack(LiveAircraft&) override { return false; }
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
  NoUserHold userHold;
  LiveMotion motion;
  SilentObserver observer;

  TrafficLinks links() { return {livery, stands, userHold, motion, observer}; }
};

}  // namespace tfx
