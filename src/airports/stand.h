#pragma once
// A stand (parking position) of an airport and the occupancies known for it.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/geodesy.h"
#include "core/hours.h"

namespace tfx::airports {

inline constexpr double kNmPerMeter = 0.0005399568034557236;

// One aircraft observed, learned or made up on a stand.
struct StandOption {
  std::string airline{};       // three-letter code used for the livery
  std::string type{};          // ICAO aircraft type
  std::string registration{};  // may be empty
  std::string callsign{};      // "cs" before its first colon
  std::string callsignNote{};  // "cs" after its first colon
  HourSet halfHours{};         // half-hours of the day the aircraft stood here
  int index = 0;             // 1 upwards within the stand, in order of adding
  int day = 0;               // 1 Monday .. 7 Sunday; 0 when the file gives none
  int origin = 0;            // 1 from the stand file, 0 from the learned file
  int real = 1;              // 1 observed, 0 soft
};

// Day and half-hour packed into one number, as learning remembers sightings.
inline int32_t packDayHalfHour(int day, int halfHour) { return day * 48 + halfHour; }

struct Stand {
  std::vector<StandOption> options{};
  // Simulator object id of a parked live aircraft to the day and half-hour
  // (packDayHalfHour) at which learning last saw it here.
  std::unordered_map<uint32_t, int32_t> lastSeen{};
  std::string id{};
  std::vector<int> overlaps{};  // index of every stand whose circle overlaps this one
  double lat = 0.0;
  double lon = 0.0;
  double heading = 0.0;  // radians as read; may lie outside [0, 2 pi)
  double radius = 0.0;   // nautical miles
  int index = 0;         // 1..N in file order
  bool manual = false;
  bool radiusChanged = false;
  bool cargoChanged = false;
  bool cargo = false;
  bool ramp = false;
  bool heli = false;
  // Static parking's work flags, cleared when a calculation starts.
  bool taken = false;         // a static aircraft was chosen for it, or one stands on it
  bool blocked = false;       // reserved for the user
  bool overlapTaken = false;  // a stand whose circle overlaps it is taken
  // A live aircraft stands parked on it; live traffic keeps this.
  bool liveOccupied = false;

  LatLon position() const { return {lat, lon}; }
  // The next free option number.
  int nextOptionIndex() const { return options.empty() ? 1 : options.back().index + 1; }
};

// What a stand file says about its airport.
struct AirportFileInfo {
  std::string name;       // airport_name
  std::string publisher;  // "stock", "simaddon" or the scenery publisher
  int altitude = 0;       // feet
};

// Real and soft quality factors; -1 when unknown.
struct QualityFactor {
  int real = -1;
  int soft = -1;
  bool operator==(const QualityFactor&) const = default;
};

}  // namespace tfx::airports
