#pragma once
// Where a live aircraft stands towards the simulator, what it is doing, and
// the printed names of both (and of the aircraft categories) in log lines.
#include <cstdint>
#include <string_view>

namespace tfx {

enum class SimState : uint32_t {
  Buffer = 0,           // known from the feed, not yet in the simulator
  Adding2Sim = 1,       // livery chosen, create request queued or sent
  Active = 2,           // a simulator object exists and is moved every cycle
  LiveryRespawn = 3,    // the object goes so that the aircraft comes back with another livery
  RemovingFromSim = 4,  // removal requested; the record goes when the simulator confirms
};

enum class FlightPhase : uint32_t {
  PushingBack = 0,
  PushedBack = 1,
  Taxi = 2,
  TakeOff = 3,
  Flying = 4,
  Parking = 5,
  Parked = 6,
  Birth = 7,  // a new record before its first placement
};

// The printed names; a value without one throws std::out_of_range with the
// text "invalid unordered_map<K, T> key".
std::string_view simStateName(SimState state);
std::string_view flightPhaseName(FlightPhase phase);
std::string_view aircraftCategoryName(uint32_t category);

}  // namespace tfx
