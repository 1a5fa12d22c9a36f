#pragma once
// One real-world aircraft of the traffic feed that the program shows or is
// about to show: its identity, its track history, the values last written to
// its simulator object and its two state machines.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/geodesy.h"
#include "sim/position_block.h"
#include "traffic/motion_values.h"
#include "traffic/sim_state.h"
#include "traffic/track_history.h"

namespace tfx {

struct LiveAircraft {
  std::string airline;  // ICAO operator code; "PVT" when nothing gives one
  std::string type;  // ICAO type designator
  std::string origin;
  std::string destination;
  std::string callsign;
  std::string firstCallsign;  // the callsign under which the record was made or last renamed
  std::string coupledCallsign;  // the flight the same aircraft flies around this time
  std::string registration;
  bool coupledChecked = false;
  double halfWingspan = 0.0;  // nautical miles
  double cgHeight = 0.0;  // feet
  double groundPitch = 0.0;  // radians
  double climbLimit = 0.0;  // feet per cycle
  double standSpeed = 0.0;  // knots: push-back, pull-out and the drive onto a stand
  uint32_t hexid = 0;
  uint32_t category = 0;  // AircraftCategory
  bool cargo = false;  // a freighter, for the livery choice
  std::string_view title;  // livery title; held by the livery tables for the whole run
  uint32_t objectId = 0;
  LatLon standPosition;
  double standHeading = 0.0;  // radians
  uint32_t standId = 0;
  bool cargoStand = false;
  SimState state = SimState::Buffer;
  uint32_t throttleIndex = 5;  // 5: not yet sent
  uint32_t flapsIndex = 4;
  bool removalPending = false;
  bool drop = false;
  bool cancelled = false;
  sim::PositionBlock block;
  TrackHistory history;
  double lastTimestamp = 0.0;  // feed seconds of the last accepted report
  LatLon lastParkedCheck;
  int64_t parkedSince = 0;  // steady-clock ticks
  int32_t learnedAt = -1;  // packed day and half-hour learning last recorded the aircraft on its stand
  FlightPhase phase = FlightPhase::Birth;
  FlightPhase previousPhase = FlightPhase::Birth;
  bool onGroundConfirmed = false;
  bool userCollisionWait = false;
  bool distanceWatch = false;
  uint32_t distanceWatchStart = 0;
  int32_t groundCounter = 0;
  double predictedTrack = 0.0;  // radians
  double altitudeAboveGround = 0.0;  // feet, as the simulator reports it
  double savedHeading = 0.0;  // radians, kept across a livery respawn
  bool savedHeadingValid = false;
  MotionValues motion;
};

// Live aircraft carry their transponder address; static parked ones 10000 or less.
bool isLiveHexid(uint32_t hexid);

// Not empty, at most 8 characters and not "@@@@@@@@".
bool isValidCallsign(std::string_view callsign);
// A trailing underscore marks a provisional ("ghost") callsign.
bool isProvisionalCallsign(std::string_view callsign);

// "{:3} {:4}" of operator and type.
std::string modelTag(const LiveAircraft& aircraft);
// "{:3}->{:3}" of origin and destination, or 8 blanks when both are empty.
std::string routeText(const LiveAircraft& aircraft);
// Callsign and registration padded to 8, then the route.
std::string aircraftName(const LiveAircraft& aircraft);
// The name and the model tag.
std::string longName(const LiveAircraft& aircraft);

}  // namespace tfx
