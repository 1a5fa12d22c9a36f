#pragma once
// A park airport built in memory: stands in a row, options added per test,
// live traffic faked, and times given as day and half-hour.
#include <chrono>
#include <initializer_list>
#include <string>

#include "airports/parking_state.h"
#include "core/parameters.h"
#include "fake_parked_traffic.h"
#include "stand_file_fixture.h"

namespace tfx::test {

// Monday 2025-02-03 00:00:00 UTC.
inline constexpr long long kMondayMidnight = 1738540800;
// A stand's radius, and the spacing of the row: far enough for no overlaps.
inline constexpr double kStandRadiusNm = 20.0 / 1852.0;
inline constexpr double kRowSpacingDegrees = 0.001;  // 111 m

// One minute into the half-hour of the day (1 Monday .. 7 Sunday).
inline std::chrono::system_clock::time_point timeAt(int day, int halfHour) {
  return std::chrono::system_clock::time_point(std::chrono::seconds(kMondayMidnight + (day - 1) * 86400LL + halfHour * 1800LL + 60));
}

class ParkFixture {
 public:
  ParkFixture() { RANDOM.set(false); }

  void makeStands(int count) {
    for (int i = 1; i <= count; ++i) {
      airports::Stand stand;
      stand.index = i;
      stand.id = "S" + std::to_string(i);
      stand.lat = 47.0 + i * kRowSpacingDegrees;
      stand.lon = 8.0;
      stand.radius = kStandRadiusNm;
      state.stands.parkStands.push_back(std::move(stand));
    }
    state.stands.standsLoaded = true;
  }
  airports::Stand& stand(int index) { return state.stands.parkStands[static_cast<size_t>(index - 1)]; }
  void addOption(int index, const std::string& callsign, int day, std::initializer_list<int> halfHours,
                 const std::string& type = "B738", const std::string& note = "", const std::string& registration = "",
                 int real = 1) {
    airports::Stand& target = stand(index);
    airports::StandOption option{.airline = "SWR",
                                 .type = type,
                                 .registration = registration,
                                 .callsign = callsign,
                                 .callsignNote = note,
                                 .halfHours = {},
                                 .index = target.nextOptionIndex(),
                                 .day = day,
                                 .origin = 1,
                                 .real = real};
    for (const int halfHour : halfHours) option.halfHours.set(static_cast<size_t>(halfHour));
    target.options.push_back(std::move(option));
  }
  // A live or static aircraft standing on a stand.
  airports::ParkedAircraft parkedOn(int index, uint32_t hexid, const std::string& callsign,
                                    const std::string& type = "B738") {
    return {.hexid = hexid,
            .standIndex = index,
            .position = stand(index).position(),
            .halfWingspanNm = 17.9 / 1852.0,
            .airline = "SWR",
            .type = type,
            .callsign = callsign,
            .callsignNote = {},
            .registration = {}};
  }
  std::string standOf(const airports::StaticAircraft& aircraft) { return stand(aircraft.standIndex).id; }

  StandFolder folder;
  airports::ParkingState state;
  FakeParkedTraffic traffic;
  airports::UserAircraft user;
};

}  // namespace tfx::test
