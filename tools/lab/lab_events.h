#pragma once
// The decisions of the traffic cycle as the lab writes them: one JSON object
// per line, {"t_s":..,"hexid":..,"what":..,"details":{..}}, with counts for the summary.
#include <map>
#include <optional>
#include <ostream>
#include <string>

#include "airports/day_half_hour.h"
#include "airports/static_parking.h"
#include "traffic/static_record.h"
#include "traffic/traffic_links.h"

namespace tfx::lab {

class EventWriter final : public TrafficObserver {
 public:
  explicit EventWriter(std::ostream& out) : out_(out) {}

  void created(const LiveAircraft& aircraft) override;
  void dropped(const LiveAircraft& aircraft, std::string_view reason) override;
  void spawned(const LiveAircraft& aircraft) override;
  void objectCreated(const LiveAircraft& aircraft) override;
  void stateChanged(const LiveAircraft& aircraft, SimState from, SimState to) override;
  void phaseChanged(const LiveAircraft& aircraft, FlightPhase from, FlightPhase to) override;
  void removed(const LiveAircraft& aircraft, std::string_view reason, SimState state) override;
  void erased(const LiveAircraft& aircraft, std::string_view reason) override;
  void motion(const LiveAircraft& aircraft, const MotionEvent& event) override;
  void stand(const LiveAircraft& aircraft, std::string_view what, double distanceM, double headingErrorDeg) override;
  void collision(uint32_t hexid, std::string_view kind, std::string_view other, double distanceM) override;
  void staticRemoved(const airports::ParkedAircraft& parked, std::string_view reason) override;

  // The park airport was chosen (its code and stand count, the stand file) or given up (no code).
  void parkAirport(std::optional<std::string_view> code, size_t stands, std::string_view file);
  // A calculation or renewal of the static parking at its day and half-hour.
  void staticParking(const airports::DayHalfHour& when, const airports::StaticParkingShown& shown);
  // A static aircraft was handed to the simulator on the stand, or left it.
  void staticCreated(const StaticRecord& record, std::string_view standId);
  void staticRemoved(uint32_t hexid, std::string_view reason);

  int64_t createdCount = 0;
  int64_t spawnedCount = 0;
  int64_t droppedCount = 0;
  int64_t erasedCount = 0;
  int64_t arrivalCount = 0;
  int64_t pushBackCount = 0;
  int64_t pullOutCount = 0;
  std::map<std::string, int64_t, std::less<>> dropReasons;

 private:
  // A hexid of 0 is written as null: the event is the airport's.
  template <typename Details>
  void write(uint32_t hexid, std::string_view what, const Details& details);
  template <typename Details>
  void write(const LiveAircraft& aircraft, std::string_view what, const Details& details) {
    write(aircraft.hexid, what, details);
  }

  std::ostream& out_;
};

}  // namespace tfx::lab
