#pragma once
// Renewing the static parking every 20 minutes: which static aircraft stay,
// which go, which are added for the new half-hour.
#include <chrono>

#include "airports/parked_traffic.h"

namespace tfx::airports {

struct ParkingState;
struct UserAircraft;

// Minutes from now to the next multiple of 20 minutes of the hour.
int minutesToNextRenewal(std::chrono::system_clock::time_point now);

// Makes a renewal pending when stands are loaded and none is pending;
// returns whether it did. The user's own parking changes ask for it.
bool requestParkingUpdate(ParkingState& state);
// The same for the 20-minute renewal, which INITIAL_LOAD_ONLY suppresses.
bool requestRenewal(ParkingState& state);

// The renewal's two steps, one per call while one is pending: the first
// stops the creation of the remaining list, the second adjusts.
void renewalStep(ParkingState& state, ParkedTraffic& traffic, const UserAircraft& user,
                 std::chrono::system_clock::time_point now);

// The adjustment: removes the surplus of parked live aircraft and the static
// aircraft that no longer belong, and lists the static aircraft to add.
void lf_parkingAdjustments(ParkingState& state, ParkedTraffic& traffic, const UserAircraft& user,
                           std::chrono::system_clock::time_point now);

}  // namespace tfx::airports
