#include "lab_parking.h"

#include <algorithm>

#include "airports/static_creation.h"
#include "airports/static_selection.h"
#include "core/parameters.h"
#include "runstate/cycle_clock.h"

namespace tfx::lab {
namespace {

// The main loop's tick work, in its order: every 15th tick the periodic
// parking work, the other 16th ticks the user-stand recomputation.
constexpr int32_t kPeriodicTicks = 15;
constexpr int32_t kUserStandTicks = 16;
constexpr int32_t kTicksPerDay = 86400;

bool sameAircraft(const airports::StandOption& option, const airports::ParkedAircraft& aircraft) {
  return option.airline == aircraft.airline && option.type == aircraft.type && option.callsign == aircraft.callsign &&
         option.callsignNote == aircraft.callsignNote && option.registration == aircraft.registration;
}

}  // namespace

void ReportedParkedTraffic::removeParked(uint32_t hexid, airports::ParkedRemoval reason) {
  // Live aircraft tell their removal through the traffic observer.
  if (hexid <= airports::kLastStaticHexid) events_.staticRemoved(hexid, parkedRemovalName(reason));
  parked_.removeParked(hexid, reason);
}

bool standHasOptionFor(const airports::Stand& stand, const airports::ParkedAircraft& aircraft,
                       const airports::DayHalfHour& when) {
  for (int fit = 0; fit <= MAX_FIT.value(); ++fit) {
    const airports::DayHalfHour target = airports::shiftedBack(when, fit);
    const bool holds = std::any_of(stand.options.begin(), stand.options.end(), [&](const airports::StandOption& o) {
      return sameAircraft(o, aircraft) && (WEEK.value() || o.day == target.day) &&
             o.halfHours.test(static_cast<size_t>(target.halfHour));
    });
    if (holds) return true;
  }
  return false;
}

LabParking::LabParking(const LabParkingSetup& setup)
    : state_(setup.context.state),
      events_(setup.events),
      user_(setup.user),
      startUtc_(setup.startUtc),
      traffic_(setup.context, setup.events),
      work_(setup.database, traffic_, setup.context.state, setup.context.links.livery, setup.feed, userStand_,
            {.user = [this] { return user_; }, .clock = [this] { return now(); }}) {}

std::chrono::system_clock::time_point LabParking::now() const {
  const double seconds = startUtc_ + cycleNumber().load() / static_cast<double>(kCyclesPerSecond);
  return std::chrono::system_clock::time_point{
      std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::duration<double>(seconds))};
}

void LabParking::startUp() { work_.startUp(); }

void LabParking::cycle(bool tick) {
  work_.cycle();
  if (tick) {
    ++tick_;
    if (tick_ % kPeriodicTicks == 0) {
      work_.periodicWork(tick_);
      if (tick_ % kTicksPerDay == 0) tick_ = 0;
    } else if (tick_ % kUserStandTicks == 0) {
      work_.sixteenthTick();
    }
  }
  watch();
}

void LabParking::closeDown() {
  work_.closeDown();
  watch();
}

void LabParking::watch() {
  airports::ParkingState& parking = work_.state();
  // The park airport is told once its stands are read, and when it is given up.
  const std::string& code = airports::parkAirport().code;
  if (!code.empty() && parking.stands.standsLoaded && code != toldCode_) {
    toldCode_ = code;
    events_.parkAirport(code, parking.stands.parkStands.size(), parking.stands.fileName);
  } else if (code.empty() && !toldCode_.empty()) {
    toldCode_.clear();
    events_.parkAirport(std::nullopt, 0, {});
  }
  if (parking.statics.calculations != toldCalculations_) {
    toldCalculations_ = parking.statics.calculations;
    events_.staticParking(parking.statics.when, parking.statics.shown);
  }
  // A hexid is free again once its aircraft's removal is under way: a record
  // is told while it is not being removed, and another aircraft under a told
  // hexid is a new one.
  std::erase_if(toldStatic_, [&](const auto& told) {
    return std::none_of(state_.staticRecords.begin(), state_.staticRecords.end(), [&](const StaticRecord& r) {
      return r.aircraft.hexid == told.first && !r.removing;
    });
  });
  for (const StaticRecord& record : state_.staticRecords) {
    if (record.removing) continue;
    const auto index = static_cast<size_t>(record.aircraft.standIndex - 1);
    const StaticIdentity identity{record.aircraft.standIndex, record.aircraft.registration, record.aircraft.callsign};
    if (index >= parking.stands.parkStands.size()) continue;
    if (const auto told = toldStatic_.find(record.aircraft.hexid); told != toldStatic_.end() && told->second == identity) {
      continue;
    }
    toldStatic_.insert_or_assign(record.aircraft.hexid, identity);
    const airports::Stand& stand = parking.stands.parkStands[index];
    events_.staticCreated(record, stand.id);
    ++staticCreated_;
    if (!standHasOptionFor(stand, record.aircraft, parking.statics.when)) ++staticMismatched_;
  }
}

}  // namespace tfx::lab
