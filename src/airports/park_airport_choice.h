#pragma once
// Which airport is the park airport: chosen from the user's park airports
// while flying, or the airport the user stands at; given up when it drops out
// of sight.
#include <chrono>

#include "airports/airport_database.h"
#include "airports/parked_traffic.h"

namespace tfx::airports {

struct ParkingState;
struct UserAircraft;

// The per-cycle step: ends a finished creation, reads the stands and computes
// the static parking when a park airport was just chosen, keeps the park
// airport list sorted by distance, and chooses or checks the park airport.
void lf_checkParkAirport(ParkingState& state, ParkedTraffic& traffic, const UserAircraft& user,
                         const AirportDatabase& database, std::chrono::system_clock::time_point now);

// Chooses a park airport for the user's position (nothing when none fits).
void lf_findParkAirport(ParkingState& state, const UserAircraft& user, const AirportDatabase& database);

// While flying: gives the park airport up when it is out of range or height,
// or when another park airport is in sight and not farther.
void lf_checkParkAirportInSight(ParkingState& state, ParkedTraffic& traffic, const UserAircraft& user,
                                std::chrono::system_clock::time_point now);

// Removes the park airport's static and parked live aircraft, saves what was
// learned there and clears the park airport.
void removeParkAirportAircraft(ParkingState& state, ParkedTraffic& traffic, std::chrono::system_clock::time_point now);

// Saves what was learned and clears the park airport and its stands.
void clearParkAirport(ParkingState& state, std::chrono::system_clock::time_point now);

}  // namespace tfx::airports
