#include "app/park_airport_work.h"

#include <algorithm>

#include "aircraft/aircraft_queries.h"
#include "airports/park_airport_choice.h"
#include "airports/parked_file.h"
#include "airports/static_creation.h"
#include "airports/static_renewal.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "core/window_surface.h"
#include "traffic/static_objects.h"

namespace tfx::app {
namespace {

constexpr int32_t kTicksBetweenRenewalMinutes = 60;
constexpr int32_t kTicksBetweenRenewals = 1200;

uint32_t reservedStandIndex(const airports::ParkingState& state) {
  const std::string& reserved = state.statics.reservedStand;
  if (reserved.empty()) return 0;
  for (const airports::Stand& stand : state.stands.parkStands) {
    if (stand.id == reserved) return static_cast<uint32_t>(stand.index);
  }
  return 0;
}

}  // namespace

bool putDestinationFirst(airports::ParkAirportList& list, const airports::AirportDatabase& database,
                         std::string_view destination) {
  const airports::Airport* airport = airports::findAirport(database, destination);
  if (destination.empty() || airport == nullptr) return false;
  const auto known = std::find_if(list.begin(), list.end(),
                                  [&](const airports::ParkAirportEntry& entry) { return entry.code == destination; });
  if (known != list.end()) {
    std::rotate(list.begin(), known, known + 1);
  } else {
    list.insert(list.begin(), {.code = airport->code, .stand = {}, .lat = airport->lat, .lon = airport->lon});
  }
  return true;
}

bool ParkAirportWork::startUp() {
  const bool read = airports::lf_readMyParkAirports(database_, state_.parkAirports);
  if (read) showMessage("park airports and stands are okay");
  putDestinationFirst(state_.parkAirports, database_, DESTINATION.value());
  return read;
}

ParkingView ParkAirportWork::view() {
  if (!airports::parkAirportIsSet() || !state_.stands.standsLoaded) return {};
  return {&state_, airports::gf_dayAndHalfHour(sources_.clock())};
}

void ParkAirportWork::cycle() {
  airports::lf_checkParkAirport(state_, traffic_, sources_.user(), database_, sources_.clock());
  followParkAirport();
  queueNextStatic();
}

void ParkAirportWork::periodicWork(int32_t tick) {
  airports::renewalStep(state_, traffic_, sources_.user(), sources_.clock());
  if (tick % kTicksBetweenRenewalMinutes == 0) {
    minutesToRenewal_ = airports::minutesToNextRenewal(sources_.clock());
    repaintStatusArea();
  }
  if (tick % kTicksBetweenRenewals == 0) airports::requestRenewal(state_);
}

void ParkAirportWork::sixteenthTick() {
  // A renewal under way computes the stands anew itself; the request waits for its end.
  if (state_.statics.renewalPending || !state_.stands.standsLoaded) return;
  if (!userStand_.takeRecomputeRequest()) return;
  const airports::UserAircraft user = sources_.user();
  airports::recordUserStand(state_, user);
  airports::lf_calcStaticParking(state_, traffic_, user, sources_.clock());
  userStand_.setRecordedUserStand(reservedStandIndex(state_));
}

void ParkAirportWork::queueNextStatic() {
  // One at a time, so that the check for a live aircraft in the way is made
  // just before the creation.
  if (!live_.staticCreateQueue.empty() || !state_.statics.inProgress || state_.statics.renewalPending) return;
  const std::optional<airports::StaticToCreate> next = airports::takeNextStatic(state_, traffic_);
  if (!next) return;
  const airports::Stand& stand = state_.stands.parkStands[static_cast<size_t>(next->aircraft.standIndex - 1)];
  const double elevation = feed_.groundElevation().value_or(airports::parkAirport().alt);
  const std::string_view title = staticLiveryTitle(livery_, *next, stand);
  queueStaticCreate(live_, *next,
                    {.stand = stand,
                     .liveryTitle = title,
                     .halfWingspanNm = gf_halfWingspan(next->aircraft.type),
                     .groundElevationFt = elevation});
}

void ParkAirportWork::closeDown() {
  if (airports::parkAirportIsSet()) airports::removeParkAirportAircraft(state_, traffic_, sources_.clock());
  followParkAirport();
}

void ParkAirportWork::flushStatic() {
  airports::StaticParking& statics = state_.statics;
  statics.staticList.clear();
  statics.inProgress = false;
  statics.renewalPending = false;
  statics.renewalFlushed = false;
  statics.placedStatic.clear();
  traffic_.collectStatic(statics.placedStatic);
  // Static aircraft are removed without a reason in the log; the reason is one of the live ones.
  for (const airports::ParkedAircraft& aircraft : statics.placedStatic) {
    traffic_.removeParked(aircraft.hexid, airports::ParkedRemoval::Renewal);
  }
  if (state_.stands.standsLoaded) state_.stands.parkingControlsEnabled = true;
}

void ParkAirportWork::followDestination() {
  if (putDestinationFirst(state_.parkAirports, database_, DESTINATION.value())) return;
  // A position no user stands at counts as a move, and a move sorts the list.
  state_.lastUserPosition = {};
}

void ParkAirportWork::rereadParkAirports() {
  startUp();
  state_.airportWithoutStands.clear();
  if (airports::parkAirportIsSet()) airports::removeParkAirportAircraft(state_, traffic_, sources_.clock());
  followParkAirport();
}

bool ParkAirportWork::requestParkingUpdate() { return airports::requestParkingUpdate(state_); }

void ParkAirportWork::followParkAirport() {
  const airports::Airport& park = airports::parkAirport();
  const bool standsLoaded = state_.stands.standsLoaded;
  if (park.code == followedCode_ && standsLoaded == followedStandsLoaded_) return;
  followedCode_ = park.code;
  followedStandsLoaded_ = standsLoaded;
  standsWereLoaded_ = standsWereLoaded_ || standsLoaded;
  if (park.code.empty()) {
    feed_.clearParkAirport();
    feed_.clearGroundElevation();
  } else {
    feed_.setParkAirport(park.position());
    // The stand file's elevation is the ground the stands lie on; before it
    // is read the database's elevation serves.
    feed_.setGroundElevation(standsLoaded ? state_.stands.info.altitude : park.alt);
  }
  userStand_.publishStands(state_.stands.parkStands);
  userStand_.setRecordedUserStand(reservedStandIndex(state_));
}

}  // namespace tfx::app
