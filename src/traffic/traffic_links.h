#pragma once
// What the traffic cycle asks of the subsystems around it: livery matching,
// the park airport's stands, the user-collision hold, the motion of spawned aircraft,
// the simulator session, and an observer of its decisions. Each is a small
// interface so that the subsystem plugs in where the cycle needs it.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/geodesy.h"
#include "airports/day_half_hour.h"
#include "airports/parking_state.h"
#include "sim/exchange_lists.h"
#include "traffic/live_aircraft.h"
#include "traffic/user_snapshot.h"

namespace tfx {

// The aircraft to find a livery for.
struct LiveryQuery {
  std::string_view airline;  // operator code; "PVT" for a private aircraft
  std::string_view type;
  std::string_view registration;  // may be empty
  uint32_t category = 0;  // AircraftCategory
  bool cargo = false;
  std::string_view description;  // the aircraft's long name, for the log
  std::string_view name = {};    // a static aircraft's name, for its no-match line
};

inline LiveryQuery liveryQueryOf(const LiveAircraft& aircraft, std::string_view description) {
  return {aircraft.airline, aircraft.type, aircraft.registration, aircraft.category, aircraft.cargo, description, {}};
}

class LiveryMatcher {
 public:
  virtual ~LiveryMatcher() = default;
  // A title that lives for the whole run, or nullopt when nothing fits.
  virtual std::optional<std::string_view> findLiveryLiveAc(const LiveryQuery& query) = 0;
  // The simulator could not create an aircraft with the title.
  virtual void liveryRefused(const LiveryQuery& query, std::string_view title) = 0;
  // A title for a static parked aircraft that lives for the whole run, or
  // nullopt when nothing fits; a matcher without a choice of its own leaves
  // static aircraft the default title.
  virtual std::optional<std::string_view> findLiveryStaticAc(const LiveryQuery&) { return std::nullopt; }
};

// The park airport as live traffic on the ground sees it.
struct ParkingView {
  // Null while there is no park airport or its stands are not ready.
  airports::ParkingState* parking = nullptr;
  airports::DayHalfHour now;  // by the parking clock, for learning
};

class ParkingAccess {
 public:
  virtual ~ParkingAccess() = default;
  virtual ParkingView view() = 0;
};

struct TrafficContext;

class UserCollisionHold {
 public:
  virtual ~UserCollisionHold() = default;
  // True when the buffered aircraft is held back for the user aircraft; the
  // hold then removed its oldest point.
  virtual bool holdsBack(TrafficContext& context, LiveAircraft& aircraft) = 0;
};

class AircraftMotion {
 public:
  virtual ~AircraftMotion() = default;
  // A report for an aircraft past its birth; true when the point was appended.
  virtual bool takeReport(TrafficContext& context, LiveAircraft& aircraft, TrackPoint point) = 0;
  // The motion step of an active aircraft once its oldest point is due.
  virtual void advance(TrafficContext& context, LiveAircraft& aircraft, int32_t cycle) = 0;
  // Every cycle while the oldest point is not stationary: the shown position moves on.
  virtual void move(TrafficContext& context, LiveAircraft& aircraft) = 0;
};

// What the motion tells the observer: a landing starts (value: distance to the
// park airport, nautical miles), a flare stage begins (value: the stage), the
// touchdown, a take-off starts, an extrapolated point (value: the hold count).
struct MotionEvent {
  enum class Kind { Landing, Flare, Touchdown, TakeOff, Hold };
  Kind kind = Kind::Landing;
  double value = 0.0;
};

// The events of the cycle, for whoever wants to watch it (the traffic lab).
class TrafficObserver {
 public:
  virtual ~TrafficObserver() = default;
  virtual void created(const LiveAircraft& aircraft) = 0;
  virtual void dropped(const LiveAircraft& aircraft, std::string_view reason) = 0;
  virtual void spawned(const LiveAircraft& aircraft) = 0;
  // The simulator created the aircraft's object; its id is in the record.
  virtual void objectCreated(const LiveAircraft& aircraft) = 0;
  virtual void stateChanged(const LiveAircraft& aircraft, SimState from, SimState to) = 0;
  virtual void phaseChanged(const LiveAircraft& aircraft, FlightPhase from, FlightPhase to) = 0;
  virtual void removed(const LiveAircraft& aircraft, std::string_view reason, SimState state) = 0;
  virtual void erased(const LiveAircraft& aircraft, std::string_view reason) = 0;
  virtual void motion(const LiveAircraft& aircraft, const MotionEvent& event) = 0;
  // A live aircraft on or at its stand: "parked", "arrived", "pulling_out",
  // "pushing_back", "pushed_back" or "left"; its distance from the stand
  // position and its heading against the stand's.
  virtual void stand(const LiveAircraft&, std::string_view, double /*distanceM*/, double /*headingErrorDeg*/) {}
  // An aircraft (live or static, by hexid) removed so that two do not stand
  // in one place: the kind of conflict, the other one, their distance.
  virtual void collision(uint32_t /*hexid*/, std::string_view /*kind*/, std::string_view /*other*/,
                         double /*distanceM*/) {}
  // A static aircraft removed by live traffic's rules.
  virtual void staticRemoved(const airports::ParkedAircraft&, std::string_view /*reason*/) {}
};

// The simulator session as the cycle sees it.
class CycleSimulator {
 public:
  virtual ~CycleSimulator() = default;
  virtual sim::ExchangeLists& exchange() = 0;
  virtual double frameRate() const = 0;
  virtual LatLon userPosition() const = 0;
  // The user aircraft for collision avoidance; unknown unless a simulator tells it.
  virtual UserSnapshot userSnapshot() const { return {}; }
  // Live create requests handed over and not yet sent.
  virtual size_t waitingLiveCreates() = 0;
  // Request 102 for the object's shape (definition 405, once).
  virtual void requestObjectShape(uint32_t objectId) = 0;
  // "ALL_LIGHTS_TOGGLE" sent to the object at once.
  virtual void allLightsToggle(uint32_t objectId) = 0;
  // Request 110: the object flies by the plan file; negative when the call failed.
  virtual int32_t assignFlightPlan(uint32_t objectId, std::string_view path) = 0;
  // Data definition 401 written to the object at once: spoilers handle and both throttle levers, percent.
  virtual void writeAiControls(uint32_t objectId, double spoilersPercent, double throttlePercent) = 0;
  // `fastGroundScan`: some aircraft lands and wants its ground contact seen soon.
  virtual void periodicRequests(int32_t cycle, bool fastGroundScan) = 0;
};

struct TrafficLinks {
  LiveryMatcher& livery;
  ParkingAccess& stands;
  UserCollisionHold& userHold;
  AircraftMotion& motion;
  TrafficObserver& observer;
};

}  // namespace tfx
