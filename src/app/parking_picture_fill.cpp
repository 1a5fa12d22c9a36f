#include "app/parking_picture_fill.h"

#include <algorithm>

#include "airports/airport.h"
#include "app/traffic_picture_fill.h"
#include "core/geodesy.h"
#include "core/parameters.h"

namespace tfx::app {
namespace {

constexpr double kMetersPerNm = 1852.0;

SimState staticState(const StaticRecord& record) {
  if (record.removing) return SimState::RemovingFromSim;
  return record.active ? SimState::Active : SimState::Adding2Sim;
}

void fillStaticRow(ui::PictureAircraft& row, const StaticRecord& record, double groundFt) {
  const airports::ParkedAircraft& aircraft = record.aircraft;
  row.hexid = aircraft.hexid;
  row.live = false;
  row.callsign.assign(aircraft.callsign);
  row.type.assign(aircraft.type);
  row.airline.assign(aircraft.airline);
  row.registration.assign(aircraft.registration);
  row.origin.clear();
  row.destination.clear();
  row.state = pictureStateName(staticState(record));
  row.phase = picturePhaseName(FlightPhase::Parked);
  row.lat = aircraft.position.lat;
  row.lon = aircraft.position.lon;
  row.altitudeFt = groundFt;
  row.headingDeg = record.heading * kRadToDeg;
  row.speedKt = 0.0;
  row.onGround = true;
  row.stand = static_cast<uint32_t>(aircraft.standIndex);
  row.livery = record.title;
}

void fillStands(std::vector<ui::PictureStand>& into, const std::vector<airports::Stand>& stands) {
  into.resize(stands.size());
  for (size_t index = 0; index < stands.size(); ++index) {
    const airports::Stand& stand = stands[index];
    into[index] = {.id = static_cast<uint32_t>(stand.index),
                   .lat = stand.lat,
                   .lon = stand.lon,
                   .headingDeg = stand.heading * kRadToDeg,
                   .radiusM = stand.radius * kMetersPerNm};
  }
}

ui::ParkingStatus parkingStatus(const ParkAirportWork& parking, const TrafficState& traffic) {
  const airports::ParkingState& state = parking.state();
  ui::ParkingStatus status;
  if (!state.parkAirports.empty()) {
    const airports::ParkAirportEntry& first = state.parkAirports.front();
    status.firstParkAirport = ui::ParkAirportPlace{first.code, first.lat, first.lon};
  }
  status.active = state.stands.standsLoaded;
  if (!status.active) return status;
  const airports::StaticParkingShown& shown = state.statics.shown;
  status.airport = airports::parkAirport().code;
  status.publisher = state.stands.info.publisher;
  status.userStand = state.statics.reservedStand;
  status.week = state.stands.rtTrafficWeek;
  status.minutesToRenewal = parking.minutesToRenewal();
  status.stands = static_cast<int>(state.stands.parkStands.size());
  status.updates = state.stands.updates;
  status.parkedLive = static_cast<int>(std::count_if(traffic.liveList.begin(), traffic.liveList.end(), [](const LiveAircraft& a) {
    return a.state == SimState::Active && a.phase == FlightPhase::Parked && a.standId != 0;
  }));
  status.parkedStatic = static_cast<int>(std::count_if(traffic.staticRecords.begin(), traffic.staticRecords.end(),
                                                       [](const StaticRecord& r) { return r.active && !r.removing; }));
  status.averageFitHours = shown.averageFitHours;
  status.wanted = shown.wanted;
  status.percentage = shown.percentage;
  status.maxParkLimited = MAX_PARK_SEL.value() < MAX_PARK_SEL.listValues().back();
  status.quality = state.stands.qualityText;
  return status;
}

}  // namespace

void fillParkingPicture(ui::TrafficPicture& picture, const ParkAirportWork* parking, const TrafficState& traffic) {
  const airports::Airport& park = airports::parkAirport();
  if (parking == nullptr || park.code.empty()) {
    picture.parkAirport.reset();
    picture.stands.clear();
  } else {
    picture.parkAirport = ui::PictureAirport{park.code, park.lat, park.lon};
    fillStands(picture.stands, parking->state().stands.parkStands);
  }
  picture.parking = parking != nullptr ? parkingStatus(*parking, traffic) : ui::ParkingStatus{};
  const size_t liveRows = traffic.liveList.size();
  picture.aircraft.resize(liveRows + traffic.staticRecords.size());
  const double groundFt = parking != nullptr && parking->state().stands.standsLoaded
                              ? parking->state().stands.info.altitude
                              : static_cast<double>(park.alt);
  for (size_t index = 0; index < traffic.staticRecords.size(); ++index) {
    fillStaticRow(picture.aircraft[liveRows + index], traffic.staticRecords[index], groundFt);
  }
}

}  // namespace tfx::app
