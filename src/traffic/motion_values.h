#pragma once
// The working values of the airborne motion and of the ground movement of one
// live aircraft, carried from cycle to cycle.
#include <cstdint>

#include "core/geodesy.h"

namespace tfx {

// A quadratic curve on the ground in a flat frame around its start: north and
// east offsets in metres, the start at the origin.
struct GroundCurve {
  LatLon origin;
  double metresPerDegreeLon = 0.0;
  double controlNorth = 0.0;
  double controlEast = 0.0;
  double endNorth = 0.0;
  double endEast = 0.0;
  double step = 0.0;  // parameter per cycle
  bool backward = false;  // pushed: the nose points against the way
};

struct MotionValues {
  double latStep = 0.0;  // degrees per cycle
  double lonStep = 0.0;
  double climbStep = 0.0;  // feet per cycle
  double headingRate = 0.0;  // radians per cycle
  double turnRate = 0.0;
  double pitchStep = 0.0;
  double bankStep = 0.0;
  int32_t curveDefinition = 0;  // 1 while the leg follows `curve`
  double curveParameter = 0.0;
  GroundCurve curve;
  double headingErrorDeg = 0.0;  // predicted track minus shown heading on the ground
  LatLon lastParkAttempt;  // the newest point when the aircraft last tried to park
  // Cycles the aircraft held or extrapolated; an extrapolation runs while it is 1 or more.
  int32_t holdCount = 0;
  int32_t earlyTolerance = 3000;  // re-timing tolerances, cycles
  int32_t lateTolerance = 3000;
  int32_t approachStage = 0;
  int32_t pushBackStage = 0;
  int32_t turnDirection = 0;  // push-back turn: 1 right, -1 left, 0 not decided
  LatLon mirrorPoint;
  double pushBackEndDistance = 0.0;  // nautical miles
  int32_t takeOffCounter = 0;
  int32_t rotationLength = 0;  // cycles
  double rotationPitch = 0.0;  // radians
  double climbPitch = 0.0;
  int32_t flareLength = 0;  // cycles
  int32_t groundSlots = 0;
  bool reverse = false;
  bool takingOff = false;
  bool landing = false;
  bool landed = false;
  bool rollout = false;
  bool towed = false;
  bool cleanUp = false;
  bool leaveStand = false;
  bool headingError = false;
  bool pitchTransition = false;  // after touchdown: the pitch goes to the ground pitch
  bool aboveTenThousand = false;  // the high lights were set once on this climb
  bool belowTenThousand = false;  // all lights were set once on this descent
  double touchdownHeading = 0.0;  // radians
};

}  // namespace tfx
