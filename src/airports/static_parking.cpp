#include "airports/static_parking.h"

#include <fmt/format.h>

#include <cmath>

#include "airports/parking_state.h"
#include "airports/static_creation.h"
#include "airports/stand_geometry.h"
#include "airports/static_selection.h"
#include "core/log.h"
#include "core/message_line.h"
#include "core/parameters.h"

namespace tfx::airports {
namespace {

void takeParkingTime(StaticParking& statics, std::chrono::system_clock::time_point now) {
  statics.when = gf_dayAndHalfHour(now);
  writeLog(fmt::format("\n{} (utc) It is day {} ({}), {} hours", timeOfDayUtc(now), statics.when.day,
                       dayName(statics.when.day), halfHourAsHours(statics.when.halfHour)));
}

void blockUserStands(ParkingState& state, const UserAircraft& user) {
  std::vector<Stand>& stands = state.stands.parkStands;
  for (Stand& stand : stands) stand.taken = stand.blocked = stand.overlapTaken = false;
  enableAllOptions(stands);
  const std::string& reserved = state.statics.reservedStand;
  for (Stand& stand : stands) {
    if (!reserved.empty() && stand.id == reserved) stand.blocked = true;
  }
  if (!user.positionKnown()) return;
  if (const int own = nearestStandWithin(stands, user.position, kUserStandRangeNm); own > 0) {
    stands[static_cast<size_t>(own - 1)].blocked = true;
  }
}

}  // namespace

int beginCalculation(ParkingState& state, const UserAircraft& user, std::chrono::system_clock::time_point now) {
  StaticParking& statics = state.statics;
  takeParkingTime(statics, now);
  ++statics.calculations;
  statics.staticList.clear();
  statics.liveParked.clear();
  statics.placedStatic.clear();
  statics.usedRegistrations.clear();
  statics.shown.realFit = statics.shown.softFit = -1;
  statics.shown.softUsed = false;
  statics.shown.found = 0;
  blockUserStands(state, user);
  summarizeStandUse(state.stands.parkStands, statics);
  const WantedCount wanted = lf_wantedStaticCount(static_cast<int>(state.stands.parkStands.size()));
  statics.shown.wanted = wanted.count;
  statics.shown.percentage = wanted.percentage;
  return wanted.count;
}

void noteAverageFit(StaticParking& statics) {
  const std::vector<StaticAircraft>& chosen = statics.staticList;
  if (chosen.empty()) return;
  double halfHours = 0.0;
  for (const StaticAircraft& aircraft : chosen) halfHours += aircraft.fit;
  statics.shown.averageFitHours = halfHours * 0.5 / static_cast<double>(chosen.size());
}

void selectRealThenSoft(ParkingState& state, const ParkedTraffic& traffic, int present, int wanted) {
  StaticParking& statics = state.statics;
  Selection selection{.stands = state.stands.parkStands, .statics = statics, .traffic = traffic, .when = statics.when};
  selectStatics(selection, OptionKind::Real, wanted);
  if (present + std::ssize(statics.staticList) < wanted && (PARK_SOFT.value() || PARK_FAKE.value())) {
    selectStatics(selection, OptionKind::Soft, wanted);
  }
  sortByFitAndStand(statics.staticList);
}

void lf_calcStaticParking(ParkingState& state, const ParkedTraffic& traffic, const UserAircraft& user,
                          std::chrono::system_clock::time_point now) {
  StaticParking& statics = state.statics;
  const int wanted = beginCalculation(state, user, now);
  showMessage("Making changes to airport parking parameters is disabled while static parking takes place ...");
  traffic.collectParkedLive(statics.liveParked);
  selectRealThenSoft(state, traffic, 0, wanted);
  if (std::ssize(statics.staticList) > wanted) statics.staticList.resize(static_cast<size_t>(wanted));
  std::vector<Stand>& stands = state.stands.parkStands;
  const int standCount = static_cast<int>(stands.size());

  if (statics.staticList.empty()) {
    writeLog("no parking positions found");
    statics.inProgress = false;
    return;
  }
  const size_t count = statics.staticList.size();
  statics.shown.found = static_cast<int>(count);
  writeLog(fmt::format("{} positions ({}% vs wanted {}%, with Max fit={} hours)\n", count,
                       std::lround(100.0 * static_cast<double>(count) / standCount), statics.shown.percentage,
                       halfHourAsHours(MAX_FIT.value())));
  noteAverageFit(statics);
  orderForCreation(statics.staticList, stands, user);
  statics.inProgress = true;
  state.stands.parkingControlsEnabled = false;
}

}  // namespace tfx::airports
