#pragma once
// Reading the park airport's stands, and the user's stand at it.
#include <chrono>
#include <string>

namespace tfx::airports {

struct ParkingState;
struct UserAircraft;

// Finds and reads the park airport's stand file; decides whether soft
// options may be learned there; records the user's stand in the park airport
// list and my_park_airports.txt and takes it as the reserved stand. Returns
// the error text, empty on success.
std::string lf_readParkedFile(ParkingState& state, const UserAircraft& user, std::chrono::system_clock::time_point now);

// Records the stand within 55 m of the user (when there is one) for the park
// airport in the park airport list and my_park_airports.txt, and takes the
// recorded stand as the reserved stand. Also for a user who moved to another
// stand, before the static parking is computed anew.
void recordUserStand(ParkingState& state, const UserAircraft& user);

}  // namespace tfx::airports
