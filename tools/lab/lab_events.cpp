#include "lab_events.h"

#include <nlohmann/json.hpp>

#include "runstate/cycle_clock.h"

namespace tfx::lab {
namespace {
using Json = nlohmann::ordered_json;
}  // namespace

template <typename Details>
void EventWriter::write(uint32_t hexid, std::string_view what, const Details& details) {
  const Json line{{"t_s", cycleNumber().load() / static_cast<double>(kCyclesPerSecond)},
                  {"hexid", hexid == 0 ? Json() : Json(hexid)},
                  {"what", what},
                  {"details", details}};
  out_ << line.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
}

void EventWriter::created(const LiveAircraft& aircraft) {
  ++createdCount;
  write(aircraft, "create",
        Json{{"callsign", aircraft.callsign},
             {"registration", aircraft.registration},
             {"type", aircraft.type},
             {"operator", aircraft.airline},
             {"category", aircraftCategoryName(aircraft.category)},
             {"airborne", !aircraft.history.empty() && aircraft.history.front().airborne}});
}

void EventWriter::dropped(const LiveAircraft& aircraft, std::string_view reason) {
  ++droppedCount;
  auto [entry, added] = dropReasons.try_emplace(std::string(reason), 0);
  ++entry->second;
  write(aircraft, "drop", Json{{"reason", reason}});
}

void EventWriter::spawned(const LiveAircraft& aircraft) {
  ++spawnedCount;
  write(aircraft, "spawn",
        Json{{"points", aircraft.history.size()},
             {"phase", flightPhaseName(aircraft.phase)},
             {"callsign", aircraft.callsign},
             {"title", aircraft.title},
             {"lat", aircraft.block.lat},
             {"lon", aircraft.block.lon},
             {"alt_ft", aircraft.block.altitude},
             {"heading_deg", aircraft.block.heading * kRadToDeg}});
}

void EventWriter::objectCreated(const LiveAircraft& aircraft) {
  write(aircraft, "object", Json{{"object_id", aircraft.objectId}});
}

void EventWriter::stateChanged(const LiveAircraft& aircraft, SimState from, SimState to) {
  write(aircraft, "state", Json{{"from", simStateName(from)}, {"to", simStateName(to)}});
}

void EventWriter::phaseChanged(const LiveAircraft& aircraft, FlightPhase from, FlightPhase to) {
  write(aircraft, "phase", Json{{"from", flightPhaseName(from)}, {"to", flightPhaseName(to)}});
}

void EventWriter::removed(const LiveAircraft& aircraft, std::string_view reason, SimState state) {
  write(aircraft, "remove", Json{{"reason", reason}, {"state", simStateName(state)}});
}

void EventWriter::erased(const LiveAircraft& aircraft, std::string_view reason) {
  ++erasedCount;
  write(aircraft, "erase", Json{{"reason", reason}});
}

void EventWriter::motion(const LiveAircraft& aircraft, const MotionEvent& event) {
  switch (event.kind) {
    case MotionEvent::Kind::Landing: write(aircraft, "landing", Json{{"distance_nm", event.value}}); break;
    case MotionEvent::Kind::Flare: write(aircraft, "flare", Json{{"stage", static_cast<int>(event.value)}}); break;
    case MotionEvent::Kind::Touchdown:
      write(aircraft, "touchdown", Json{{"lat", aircraft.block.lat}, {"lon", aircraft.block.lon}});
      break;
    case MotionEvent::Kind::TakeOff: write(aircraft, "takeoff", Json::object()); break;
    case MotionEvent::Kind::Hold: write(aircraft, "hold", Json{{"count", static_cast<int>(event.value)}}); break;
  }
}

void EventWriter::parkAirport(std::optional<std::string_view> code, size_t stands, std::string_view file) {
  write(0, "park_airport", Json{{"code", code ? Json(*code) : Json()}, {"stands", stands}, {"file", file}});
}

void EventWriter::staticParking(const airports::DayHalfHour& when, const airports::StaticParkingShown& shown) {
  write(0, "static_parking",
        Json{{"day", when.day},
             {"half_hour", when.halfHour},
             {"wanted", shown.wanted},
             {"found", shown.found},
             {"real_fit", shown.realFit},
             {"soft_fit", shown.softFit}});
}

void EventWriter::staticCreated(const StaticRecord& record, std::string_view standId) {
  const airports::ParkedAircraft& aircraft = record.aircraft;
  write(aircraft.hexid, "create",
        Json{{"stand", standId},
             {"airline", aircraft.airline},
             {"type", aircraft.type},
             {"callsign", aircraft.callsign},
             {"registration", aircraft.registration}});
}

void EventWriter::staticRemoved(uint32_t hexid, std::string_view reason) {
  write(hexid, "remove", Json{{"reason", reason}, {"state", "static"}});
}

void EventWriter::stand(const LiveAircraft& aircraft, std::string_view what, double distanceM,
                        double headingErrorDeg) {
  if (what == "arrived") ++arrivalCount;
  if (what == "pushing_back") ++pushBackCount;
  if (what == "pulling_out") ++pullOutCount;
  write(aircraft, "stand",
        Json{{"stand", aircraft.standId},
             {"what", what},
             {"distance_m", distanceM},
             {"heading_error_deg", headingErrorDeg}});
}

void EventWriter::collision(uint32_t hexid, std::string_view kind, std::string_view other, double distanceM) {
  write(hexid, "collision", Json{{"kind", kind}, {"other", other}, {"distance_m", distanceM}});
}

void EventWriter::staticRemoved(const airports::ParkedAircraft& parked, std::string_view reason) {
  staticRemoved(parked.hexid, reason);
}

}  // namespace tfx::lab
