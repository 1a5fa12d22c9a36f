#include "airports/static_selection.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "aircraft/aircraft_queries.h"
#include "core/log.h"
#include "core/parameters.h"
#include "core/random.h"

namespace tfx::airports {
namespace {

constexpr int kHalfHours = 48;

size_t kindSlot(OptionKind kind) { return kind == OptionKind::Real ? 0 : 1; }

bool dayInRange(int day) { return day >= 0 && day <= 7; }

// Whether some option of the kind may hold the target; true when unknown.
bool mayMatch(const StaticParking& statics, const Stand& stand, OptionKind kind, const DayHalfHour& target) {
  const auto slot = static_cast<size_t>(stand.index - 1);
  if (slot >= statics.standUse.size() || !dayInRange(target.day)) return true;
  const std::array<HourSet, 8>& byDay = statics.standUse[slot][kindSlot(kind)];
  const auto halfHour = static_cast<size_t>(target.halfHour);
  if (!WEEK.value()) return byDay[static_cast<size_t>(target.day)].test(halfHour);
  return std::any_of(byDay.begin(), byDay.end(), [&](const HourSet& hours) { return hours.test(halfHour); });
}

bool kindMatches(const StandOption& option, OptionKind kind) { return (option.real == 1) == (kind == OptionKind::Real); }

const std::string& aircraftKey(const StandOption& option) {
  return option.registration.empty() ? option.callsign : option.registration;
}

// The margin a chosen aircraft has before it reaches a live aircraft parked
// on an overlapping stand: the distance to the nearest such aircraft less
// its half wingspan; infinite with none.
double liveMargin(const Stand& stand, const std::vector<ParkedAircraft>& liveParked) {
  double margin = std::numeric_limits<double>::infinity();
  for (const ParkedAircraft& live : liveParked) {
    if (!std::binary_search(stand.overlaps.begin(), stand.overlaps.end(), live.standIndex)) continue;
    margin = std::min(margin, gf_distanceNm(live.position, stand.position()) - live.halfWingspanNm);
  }
  return margin;
}

bool optionMatches(const StandOption& option, OptionKind kind, const DayHalfHour& target) {
  return option.index != 0 && kindMatches(option, kind) && (WEEK.value() || option.day == target.day) &&
         option.halfHours.test(static_cast<size_t>(target.halfHour));
}

// The option standing for the live aircraft on this stand, so that a stand a
// live aircraft holds gets the same aircraft; -1 for none.
int optionOfLiveOnStand(const Stand& stand, const std::vector<int>& candidates,
                        const std::vector<ParkedAircraft>& liveParked) {
  for (const ParkedAircraft& live : liveParked) {
    if (live.standIndex != stand.index || live.callsign.empty()) continue;
    for (const int candidate : candidates) {
      const StandOption& option = stand.options[static_cast<size_t>(candidate)];
      // Callsigns compare exactly, as the feed and the stand files write them.
      if (option.airline == live.airline && option.type == live.type &&
          (option.callsign == live.callsign || option.callsignNote == live.callsign)) {
        return candidate;
      }
    }
  }
  return -1;
}

int pickCandidate(const Stand& stand, const std::vector<int>& candidates, const std::vector<ParkedAircraft>& liveParked) {
  if (candidates.size() < 2 || !randomChoicesEnabled()) return candidates.front();
  if (const int live = optionOfLiveOnStand(stand, candidates, liveParked); live >= 0) return live;
  // Drawing one uniformly is the first of a uniform shuffle.
  return candidates[static_cast<size_t>(randomIndex(static_cast<int>(candidates.size())))];
}

bool nameInSimulator(const ParkedTraffic& traffic, const std::string& name) {
  return !name.empty() && traffic.presentInSimulator(name);
}

// Whether the aircraft was also seen on the stand in the half-hour after the
// one it was chosen for: the same option, or after the last half-hour of the
// day an option of the next day for the same aircraft holding half-hour 0.
bool staysNext(const Stand& stand, const StandOption& option, const DayHalfHour& target) {
  if (option.callsignNote.empty()) return true;
  if (target.halfHour + 1 < kHalfHours) return option.halfHours.test(static_cast<size_t>(target.halfHour + 1));
  const int nextDay = target.day % 7 + 1;
  return std::any_of(stand.options.begin(), stand.options.end(), [&](const StandOption& other) {
    return other.day == nextDay && other.halfHours.test(0) && aircraftKey(other) == aircraftKey(option);
  });
}

}  // namespace

WantedCount lf_wantedStaticCount(int standCount) {
  const int percentage =
      CUSTOM_PARKING_PERCENTAGE.value() >= 0 ? CUSTOM_PARKING_PERCENTAGE.value() : parking_percentage.value();
  WantedCount wanted{.count = 0, .percentage = percentage};
  if (standCount < 2 || (standCount < 4 && percentage < 50)) {
    wanted.count = 1;
  } else {
    wanted.count = static_cast<int>(std::lround(percentage * standCount / 100.0));
  }
  if (MAX_PARK_SEL.value() < MAX_PARK_SEL.listValues().back() && wanted.count > MAX_PARK_SEL.value()) {
    wanted.count = MAX_PARK_SEL.value();
    wanted.percentage = static_cast<int>(std::lround(100.0 * wanted.count / standCount));
  }
  return wanted;
}

DayHalfHour shiftedBack(const DayHalfHour& when, int fit) {
  const int halfHour = when.halfHour - fit;
  if (halfHour >= 0) return {when.day, halfHour};
  return {when.day == 1 ? 7 : when.day - 1, halfHour + kHalfHours};
}

int lf_searchStands(Selection& selection, OptionKind kind, int fit) {
  StaticParking& statics = selection.statics;
  const DayHalfHour target = shiftedBack(selection.when, fit);
  const bool helicopters = HELICOPTERS.value();
  int taken = 0;
  for (Stand& stand : selection.stands) {
    if (stand.taken || stand.blocked || stand.overlapTaken || (stand.heli && !helicopters) ||
        !mayMatch(statics, stand, kind, target)) {
      continue;
    }
    statics.candidates.clear();
    const double margin = statics.liveParked.empty() ? std::numeric_limits<double>::infinity()
                                                     : liveMargin(stand, statics.liveParked);
    for (size_t i = 0; i < stand.options.size(); ++i) {
      const StandOption& option = stand.options[i];
      if (!optionMatches(option, kind, target)) continue;
      if (std::isfinite(margin) && gf_halfWingspan(option.type) > margin) continue;
      statics.candidates.push_back(static_cast<int>(i));
    }
    if (statics.candidates.empty()) continue;
    StandOption& option =
        stand.options[static_cast<size_t>(pickCandidate(stand, statics.candidates, statics.liveParked))];
    const bool registrationUsed = !option.registration.empty() && statics.usedRegistrations.contains(option.registration);
    if (registrationUsed || nameInSimulator(selection.traffic, option.callsign) ||
        nameInSimulator(selection.traffic, option.callsignNote) ||
        nameInSimulator(selection.traffic, option.registration)) {
      option.index = 0;
      continue;
    }
    statics.staticList.push_back({.standIndex = stand.index,
                                  .fit = fit,
                                  .airline = option.airline,
                                  .type = option.type,
                                  .callsign = option.callsign,
                                  .callsignNote = option.callsignNote,
                                  .registration = option.registration,
                                  .stays = staysNext(stand, option, target),
                                  .soft = kind == OptionKind::Soft});
    if (!option.registration.empty()) statics.usedRegistrations.insert(option.registration);
    markTaken(selection.stands, stand.index);
    ++taken;
  }
  return taken;
}

int selectStatics(Selection& selection, OptionKind kind, int wanted) {
  int taken = static_cast<int>(std::count_if(selection.stands.begin(), selection.stands.end(),
                                             [](const Stand& stand) { return stand.taken; }));
  const size_t before = selection.statics.staticList.size();
  int reached = -1;
  for (int fit = 0; fit <= MAX_FIT.value() && taken < wanted; ++fit) {
    // The round that reaches the wanted count keeps all its candidates; the
    // sorted list is cut to the wanted count afterwards.
    taken += lf_searchStands(selection, kind, fit);
    reached = fit;
  }
  StaticParkingShown& shown = selection.statics.shown;
  (kind == OptionKind::Real ? shown.realFit : shown.softFit) = reached;
  const size_t found = selection.statics.staticList.size() - before;
  if (found == 0) return reached;
  if (kind == OptionKind::Soft) shown.softUsed = true;
  const DayHalfHour& when = selection.when;
  writeLog(fmt::format("{} {} position{} found, Max fit={} hours{}{}", found, kind == OptionKind::Real ? "real" : "soft",
                       found == 1 ? "" : "s", halfHourAsHours(MAX_FIT.value()),
                       WEEK.value() ? ", week" : fmt::format(", day {}", when.day),
                       fmt::format(", hh:{} or {} hrs, fit: {} hour", when.halfHour, halfHourAsHours(when.halfHour),
                                   halfHourAsHours(reached))));
  return reached;
}

void sortByFitAndStand(std::vector<StaticAircraft>& list) {
  std::sort(list.begin(), list.end(), [](const StaticAircraft& a, const StaticAircraft& b) {
    return a.fit != b.fit ? a.fit < b.fit : a.standIndex < b.standIndex;
  });
}

void summarizeStandUse(std::span<const Stand> stands, StaticParking& statics) {
  statics.standUse.assign(stands.size(), StandUse{});
  for (const Stand& stand : stands) {
    if (stand.index < 1 || stand.index > std::ssize(stands)) continue;
    StandUse& use = statics.standUse[static_cast<size_t>(stand.index - 1)];
    for (const StandOption& option : stand.options) {
      if (option.index == 0 || !dayInRange(option.day)) continue;
      use[kindSlot(option.real == 1 ? OptionKind::Real : OptionKind::Soft)][static_cast<size_t>(option.day)] |=
          option.halfHours;
    }
  }
}

void markTaken(std::span<Stand> stands, int standIndex) {
  Stand& stand = stands[static_cast<size_t>(standIndex - 1)];
  stand.taken = true;
  for (const int overlapping : stand.overlaps) stands[static_cast<size_t>(overlapping - 1)].overlapTaken = true;
}

void enableAllOptions(std::span<Stand> stands) {
  for (Stand& stand : stands) {
    int number = 1;
    for (StandOption& option : stand.options) option.index = number++;
  }
}

}  // namespace tfx::airports
