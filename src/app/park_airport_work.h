#pragma once
// The park airport and its static parking as the main loop drives them: the
// park airports read at start-up, the check in every cycle, the renewal and
// the user-stand recomputation on their ticks, and the close-down. The
// traffic reader's ground filter follows the park airport.
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "airports/airport_database.h"
#include "airports/parked_traffic.h"
#include "airports/parking_state.h"
#include "app/user_stand_link.h"
#include "realtraffic/traffic_feed_state.h"
#include "traffic/traffic_links.h"
#include "traffic/traffic_state.h"

namespace tfx::app {

// Where the work reads the user aircraft and the parking clock each time it runs.
struct ParkingSources {
  std::function<airports::UserAircraft()> user;
  std::function<std::chrono::system_clock::time_point()> clock;
};

class ParkAirportWork final : public ParkingAccess {
 public:
  ParkAirportWork(const airports::AirportDatabase& database, airports::ParkedTraffic& traffic, TrafficState& live,
                  LiveryMatcher& livery, TrafficFeedState& feed, UserStandLink& userStand, ParkingSources sources)
      : database_(database),
        traffic_(traffic),
        live_(live),
        livery_(livery),
        feed_(feed),
        userStand_(userStand),
        sources_(std::move(sources)) {}

  // Reads the park airports; a destination typed in the window goes first.
  // False when the park airports could not be read.
  bool startUp();
  // Every cycle while the flight runs: the park airport check, and the next
  // static aircraft queued for creation once the previous one was handed on.
  void cycle();
  // The periodic parking work of a 15th tick: the renewal's steps, the
  // minutes to the next renewal every 60th tick, a renewal asked for every
  // 1200th.
  void periodicWork(int32_t tick);
  // The other 16th ticks: the recomputation the user's move to another stand asked for.
  void sixteenthTick();
  // Removes the park airport's aircraft and saves what was learned there.
  void closeDown();

  // What the window asks for.
  // Removes every static aircraft and stops the renewal under way.
  void flushStatic();
  // A destination typed goes first in the list; an emptied one lets the
  // next cycle sort the list by distance again.
  void followDestination();
  // Reads the park airports again and gives the park airport up, so that
  // the next cycles choose one and read its stands anew.
  void rereadParkAirports();
  // A renewal of the static parking, also with INITIAL_LOAD_ONLY set; false
  // without stands or with one pending.
  bool requestParkingUpdate();

  // Static parking is active while a park airport's stands are loaded.
  bool staticParkingActive() const { return state_.stands.standsLoaded; }
  // The window's parking controls: enabled until a park airport was first
  // loaded, then disabled while static parking runs and after the park airport is given up.
  bool parkingControlsEnabled() const { return !standsWereLoaded_ || state_.stands.parkingControlsEnabled; }
  // The park airport decides whether soft options may be learned there.
  bool learnSoftEnabled() const { return !state_.stands.standsLoaded || state_.statics.learnSoftAllowed; }

  airports::ParkingState& state() { return state_; }
  const airports::ParkingState& state() const { return state_; }
  // The park airport for live traffic on the ground, once its stands are read.
  ParkingView view() override;
  // "(next in N min)" as the window shows it; -1 before the first 60th tick.
  int minutesToRenewal() const { return minutesToRenewal_; }

 private:
  void followParkAirport();
  void queueNextStatic();

  const airports::AirportDatabase& database_;
  airports::ParkedTraffic& traffic_;
  TrafficState& live_;
  LiveryMatcher& livery_;
  TrafficFeedState& feed_;
  UserStandLink& userStand_;
  ParkingSources sources_;
  airports::ParkingState state_;
  // What the feed filter and the stand copy were last set for.
  std::string followedCode_;
  bool followedStandsLoaded_ = false;
  bool standsWereLoaded_ = false;
  int minutesToRenewal_ = -1;
};

// The destination's entry, moved or added to the front of the list; false
// (the list unchanged) for an empty or unknown code.
bool putDestinationFirst(airports::ParkAirportList& list, const airports::AirportDatabase& database,
                         std::string_view destination);

}  // namespace tfx::app
