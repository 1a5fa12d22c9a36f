#pragma once
// The park airport's stands as the ground movement of live aircraft looks
// them up: a stand by number, the stands no live aircraft may take, the
// live aircraft that stands on one, and the live-occupied flag.
#include <cstdint>
#include <string>
#include <string_view>

#include "airports/parking_state.h"
#include "traffic/traffic_context.h"

namespace tfx {

// The stand numbered `index`, or null.
airports::Stand* standOf(airports::ParkingState& parking, uint32_t index);

// The nearest stand within rangeNm of the position that a live aircraft may
// take (neither reserved for the user nor the user's stand), or null.
airports::Stand* nearestTakeableStand(TrafficContext& context, airports::ParkingState& parking, const LatLon& position,
                                      double rangeNm);

bool parkedOrPushingBack(const LiveAircraft& aircraft);
// Active, or being created and not called off.
bool shownOrComing(const LiveAircraft& aircraft);

// The live aircraft (other than `except`), active or being created, parked
// or pushing back on the stand, or null.
LiveAircraft* holderOf(TrafficState& state, uint32_t standIndex, const LiveAircraft* except);

// The stand's position, heading (in one turn), number and cargo flag go into the aircraft.
void takeStand(LiveAircraft& aircraft, const airports::Stand& stand);
// ... and out again.
void clearStand(LiveAircraft& aircraft);

// The aircraft parks on its stand: the stand is live-occupied.
void occupyStand(TrafficContext& context, const LiveAircraft& aircraft);
// The aircraft left its stand or goes: the flag goes, unless another aircraft stands there.
void releaseStand(TrafficContext& context, const LiveAircraft& aircraft);

// The name of the aircraft's stand, or its number when the stand is not known.
std::string standName(TrafficContext& context, const LiveAircraft& aircraft);
// The same for the stand numbered `standIndex`.
std::string standName(TrafficContext& context, uint32_t standIndex);
// The observer hears of the aircraft at its stand, with its distance and heading error.
void tellStand(TrafficContext& context, const LiveAircraft& aircraft, std::string_view what);

// Metres from the aircraft's shown position to its stand, and degrees
// between its shown heading and the stand's.
double standDistanceM(const LiveAircraft& aircraft);
double standHeadingErrorDeg(const LiveAircraft& aircraft);

}  // namespace tfx
