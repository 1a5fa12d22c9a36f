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

}  // namespace tfx::airports
