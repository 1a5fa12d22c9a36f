#pragma once
// What static parking asks of the live traffic, which lives in a higher
// subsystem and implements this: which aircraft stand on the park airport's
// stands, which names are in the simulator, and removing parked aircraft.
// Called on the main program thread only.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/geodesy.h"

namespace tfx::airports {

// A live or static aircraft standing on a stand of the park airport.
struct ParkedAircraft {
  uint32_t hexid = 0;  // static aircraft 1..10000, live aircraft above
  int standIndex = 0;  // the Stand's index
  LatLon position;
  double halfWingspanNm = 0.0;
  std::string airline;
  std::string type;
  std::string callsign;
  std::string callsignNote;  // static aircraft only
  std::string registration;
};

// Why static parking removes an aircraft, as the removal is reported.
enum class ParkedRemoval {
  MaxPark,     // more parked live aircraft than static parking wants
  Renewal,     // a static aircraft the renewal does not keep
  OutOfSight,  // the park airport is given up
};

class ParkedTraffic {
 public:
  virtual ~ParkedTraffic() = default;
  // Appends every active live aircraft parked on, or driving onto, a stand
  // of the park airport, longest parked first.
  virtual void collectParkedLive(std::vector<ParkedAircraft>& into) const = 0;
  // Appends every static aircraft created or being created, with its hexid.
  virtual void collectStatic(std::vector<ParkedAircraft>& into) const = 0;
  // Whether a live aircraft in the simulator has this callsign or this
  // registration, compared exactly. Never asked for an empty name.
  virtual bool presentInSimulator(std::string_view callsignOrRegistration) const = 0;
  // Queues the aircraft (live or static, by hexid) for removal from the simulator.
  virtual void removeParked(uint32_t hexid, ParkedRemoval reason) = 0;
};

}  // namespace tfx::airports
