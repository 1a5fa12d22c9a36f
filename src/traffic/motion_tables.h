#pragma once
// The motion limits and manoeuvre values of each aircraft category, and the
// fixed values of the airborne motion, in one place.
#include <array>
#include <cstdint>

#include "aircraft/aircraft_category.h"
#include "traffic/live_aircraft.h"

namespace tfx {

struct CategoryMotion {
  double largestBank;  // radians
  double bankStep;  // radians per cycle
  double pitchStep;  // radians per cycle
  double liftOffKnots;  // every point ahead this fast and airborne starts the take-off
  double configurationHeightFt;  // above it (AGL) the high configuration, below the approach configuration
  // Chosen here (no source gives them): values that look right for the class
  // of aircraft. Pitch is negative nose-up, as the simulator takes it.
  int32_t rotationCycles;  // from the start of the rotation to lift-off
  double rotationPitch;  // radians at lift-off
  double climbPitch;  // radians while climbing out
  int32_t flareCycles;  // the flare's pitch change takes this long
};


// clang-format off
inline constexpr std::array<CategoryMotion, kAircraftCategoryCount> kCategoryMotion{{
    //  bank max            bank step                pitch step               lift-off cfg ft  rot  rot pitch   climb pitch  flare
    {0.6981317007977318, 0.0006108652381980154, 0.00017453292519943296,  90.0,  625.0, 150, -7.0 * kDegToRad,  -8.0 * kDegToRad, 200},  // Light
    {0.6108652381980153, 0.0004799655442984406, 0.000148352986419518,   110.0, 2050.0, 200, -10.0 * kDegToRad, -13.0 * kDegToRad, 250},  // Buzjets
    {0.5235987755982988, 0.00034906585039886593, 0.00013089969389957473, 140.0, 2050.0, 300, -9.0 * kDegToRad, -12.0 * kDegToRad, 300},  // Large
    {0.3490658503988659, 0.00026179938779914946, 8.726646259971648e-05,  150.0, 2050.0, 400, -8.0 * kDegToRad, -10.0 * kDegToRad, 350},  // Heavy
    {1.5707963267948966, 0.0017453292519943294, 0.0005235987755982989,  220.0,  625.0, 150, -12.0 * kDegToRad, -18.0 * kDegToRad, 200},  // HighPerf
    {1.3089969389957472, 0.0010471975511965978, 0.0005235987755982989,    0.0,  625.0, 100, -3.0 * kDegToRad,  -4.0 * kDegToRad, 100},  // Rotorcraft
}};
// clang-format on

inline const CategoryMotion& categoryMotion(const LiveAircraft& aircraft) {
  return kCategoryMotion[aircraft.category < kAircraftCategoryCount ? aircraft.category : 0];
}

// An air leg between two ground points of an aircraft that is not on the
// ground, whose points climb in sum: the points 3 to 10 are searched for the
// first airborne one. Chosen here: a hit means the ground flags lag behind a
// take-off, so the leg climbs towards that point's altitude by its due cycle
// (at most the climb limit, never down).
inline constexpr size_t kClimbSearchFirst = 2;  // index of point 3
inline constexpr size_t kClimbSearchLast = 9;  // index of point 10

// The take-off roll (not a go-around): full throttle and spoilers retracted.
// Chosen here, as the go-around's own values leave the roll's open.
inline constexpr uint32_t kTakeOffThrottleIndex = 4;
inline constexpr uint32_t kTakeOffSpoilers = 0;
inline constexpr uint32_t kFullSpoilers = 16383;

// Re-timing tolerances (cycles).
inline constexpr int32_t kTolerance = 3000;
inline constexpr int32_t kTakeOffLateTolerance = 5000;
inline constexpr int32_t kLeastTolerance = 1000;
inline constexpr int32_t kToleranceStep = 100;
// No leg is flown in fewer cycles.
inline constexpr int32_t kLeastLegCycles = 25;
inline constexpr double kSamePlaceDegrees = 1e-8;

}  // namespace tfx
