#pragma once
// The park airport in the lab as the program keeps it: chosen for the user
// from the install folder's airports, stand files and my_park_airports.txt,
// its static aircraft computed, created and renewed, what was learned saved
// at the close-down, all on the lab's virtual clock and told as events.
#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "airports/airport_database.h"
#include "airports/parking_state.h"
#include "app/park_airport_work.h"
#include "app/user_stand_link.h"
#include "lab_events.h"
#include "realtraffic/traffic_feed_state.h"
#include "traffic/parked_live_traffic.h"
#include "traffic/traffic_context.h"

namespace tfx::lab {

// The live traffic's parked aircraft, with the static aircraft that static
// parking removes told as events.
class ReportedParkedTraffic final : public airports::ParkedTraffic {
 public:
  ReportedParkedTraffic(TrafficContext context, EventWriter& events) : parked_(context), events_(events) {}

  void collectParkedLive(std::vector<airports::ParkedAircraft>& into) const override {
    parked_.collectParkedLive(into);
  }
  void collectStatic(std::vector<airports::ParkedAircraft>& into) const override { parked_.collectStatic(into); }
  bool presentInSimulator(std::string_view name) const override { return parked_.presentInSimulator(name); }
  void removeParked(uint32_t hexid, airports::ParkedRemoval reason) override;

 private:
  ParkedLiveTraffic parked_;
  EventWriter& events_;
};

// Whether one of the stand's options for this aircraft holds the half-hour
// `when`, shifted back by at most MAX_FIT half-hours (on any day with WEEK).
bool standHasOptionFor(const airports::Stand& stand, const airports::ParkedAircraft& aircraft,
                       const airports::DayHalfHour& when);

struct LabParkingSetup {
  const airports::AirportDatabase& database;
  TrafficContext context;
  TrafficFeedState& feed;
  EventWriter& events;
  airports::UserAircraft user;
  double startUtc = 0;  // seconds since 1970 at cycle 0
};

class LabParking {
 public:
  // The current folder is the install folder, whose files the park airport work reads and writes.
  explicit LabParking(const LabParkingSetup& setup);

  // Before the first cycle, as the program at the start of its main loop.
  void startUp();
  // Every cycle after the traffic cycle; `tick` once a simulated second.
  void cycle(bool tick);
  // At the end, as the program's close-down.
  void closeDown();

  // The park airport's stands as the live traffic sees them.
  ParkingAccess& stands() { return work_; }
  int64_t staticCreated() const { return staticCreated_; }
  int64_t staticMismatched() const { return staticMismatched_; }

 private:
  std::chrono::system_clock::time_point now() const;
  void watch();

  TrafficState& state_;
  EventWriter& events_;
  airports::UserAircraft user_;
  double startUtc_;
  ReportedParkedTraffic traffic_;
  app::UserStandLink userStand_;
  app::ParkAirportWork work_;
  int32_t tick_ = 0;
  // What the events last told.
  std::string toldCode_;
  int64_t toldCalculations_ = 0;
  // Stand, registration and callsign of each static aircraft told, by hexid.
  using StaticIdentity = std::tuple<int, std::string, std::string>;
  std::map<uint32_t, StaticIdentity> toldStatic_;
  int64_t staticCreated_ = 0;
  int64_t staticMismatched_ = 0;
};

}  // namespace tfx::lab
