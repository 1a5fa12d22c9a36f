#pragma once
// Static parking: the parked aircraft chosen for the park airport's stands so
// that the apron looks as it really does at this half-hour of the week.
#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "airports/day_half_hour.h"
#include "airports/parked_traffic.h"
#include "core/hours.h"

namespace tfx::airports {

struct ParkingState;
struct UserAircraft;

// One chosen static aircraft, copied from the stand option it stands for.
struct StaticAircraft {
  int standIndex = 0;
  int fit = 0;  // half-hours the option's time was shifted to match; 0 exact
  std::string airline{};
  std::string type{};
  std::string callsign{};
  std::string callsignNote{};
  std::string registration{};
  bool stays = false;  // also observed on this stand in the following half-hour
  bool soft = false;   // chosen in the soft round
};

enum class OptionKind { Real, Soft };

// What the window shows of static parking.
struct StaticParkingShown {
  int wanted = 0;
  int percentage = 0;
  int realFit = -1;  // -1: no round of the kind ran
  int softFit = -1;
  bool softUsed = false;
  int found = 0;  // static aircraft the last calculation chose, or the last renewal kept and chose
  double averageFitHours = -1.0;  // of the aircraft last chosen; -1 before any
};

// Per stand, the half-hours some option holds, by kind (real 0, soft 1) and
// day (0..7): a stand without a match is passed over without its options.
using StandUse = std::array<std::array<HourSet, 8>, 2>;

struct StaticParking {
  // To be created by the live traffic, which takes them from the end.
  std::vector<StaticAircraft> staticList;
  DayHalfHour when;
  std::string reservedStand;  // the user's stand id at the park airport
  bool inProgress = false;    // the list is being created; parking controls disabled
  std::atomic<bool> renewalPending{false};
  bool renewalFlushed = false;  // the renewal's first step ran
  bool calculateNow = false;
  bool learnSoftAllowed = false;
  // Calculations and renewals begun, so that whoever watches the parking sees a new one.
  int64_t calculations = 0;
  StaticParkingShown shown;
  // Work lists, kept to save allocations between calculations.
  std::vector<ParkedAircraft> liveParked;
  std::vector<ParkedAircraft> placedStatic;
  std::vector<int> candidates;
  std::vector<StandUse> standUse;  // by stand index - 1
  std::unordered_set<std::string_view> usedRegistrations;
};

// Computes the static list for the time given (parkingClock), blocking the
// reserved stand and the user's stand; marks static parking in progress when
// anything was chosen.
void lf_calcStaticParking(ParkingState& state, const ParkedTraffic& traffic, const UserAircraft& user,
                          std::chrono::system_clock::time_point now);

// The start of a calculation or renewal: takes and logs the time, empties the
// lists, clears the stands' work flags (enabling every option), blocks the
// reserved stand and the user's stand; returns the wanted count.
int beginCalculation(ParkingState& state, const UserAircraft& user, std::chrono::system_clock::time_point now);

// Notes for the window the mean fit, in hours, of the aircraft just chosen;
// an empty choice keeps the value before.
void noteAverageFit(StaticParking& statics);

// Selects with the real options, then, while fewer than wanted are present
// (`present` aircraft already stand) and soft parking is on, with the soft
// ones; leaves the list sorted by fit and stand.
void selectRealThenSoft(ParkingState& state, const ParkedTraffic& traffic, int present, int wanted);

}  // namespace tfx::airports
