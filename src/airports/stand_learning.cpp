#include "airports/stand_learning.h"

#include <algorithm>

namespace tfx::airports {
namespace {

const std::string& optionKey(const StandOption& option) {
  return option.registration.empty() ? option.callsign : option.registration;
}

void addOption(Stand& stand, const ParkedSighting& aircraft, const DayHalfHour& when) {
  StandOption option{.airline = aircraft.airline,
                     .type = aircraft.type,
                     .registration = aircraft.registration,
                     .callsign = aircraft.callsign,
                     .index = stand.nextOptionIndex(),
                     .day = when.day,
                     .origin = 0,
                     .real = 1};
  option.halfHours.set(static_cast<size_t>(when.halfHour));
  stand.options.push_back(std::move(option));
}

// "Without interruption": seen in the half-hour just before, on the same day.
// A new day always starts a new option, since options hold one day each.
bool seenJustBefore(const Stand& stand, uint32_t objectId, const DayHalfHour& when) {
  const auto seen = stand.lastSeen.find(objectId);
  return seen != stand.lastSeen.end() && when.halfHour > 0 &&
         seen->second == packDayHalfHour(when.day, when.halfHour - 1);
}

}  // namespace

bool lt_addStandOption(ParkStands& park, int standIndex, const ParkedSighting& aircraft, const DayHalfHour& when,
                       bool continuous) {
  if (when.day < 1 || when.day > 7 || when.halfHour < 0 || when.halfHour > 47) return false;
  auto stand = std::find_if(park.parkStands.begin(), park.parkStands.end(),
                            [standIndex](const Stand& s) { return s.index == standIndex; });
  if (stand == park.parkStands.end()) return false;
  const std::string& key = aircraft.registration.empty() ? aircraft.callsign : aircraft.registration;
  const auto slot = static_cast<size_t>(when.halfHour);

  StandOption* learned = nullptr;
  for (StandOption& option : stand->options) {
    if (option.real != 1 || option.day != when.day) continue;
    if (option.origin == 1) {
      // The stand file knows this aircraft here on this day at other times.
      if (option.registration == key && !option.halfHours.test(slot)) return false;
      continue;
    }
    if (optionKey(option) != key) continue;
    if (option.halfHours.test(slot)) return false;
    learned = &option;
  }

  bool changed = true;
  if (learned == nullptr) {
    addOption(*stand, aircraft, when);
  } else if (!continuous) {
    learned->halfHours.set(slot);
  } else if (!stand->lastSeen.contains(aircraft.objectId)) {
    addOption(*stand, aircraft, when);
  } else if (stand->lastSeen.at(aircraft.objectId) == packDayHalfHour(when.day, when.halfHour)) {
    changed = false;
  } else if (seenJustBefore(*stand, aircraft.objectId, when)) {
    learned->halfHours.set(slot);
  } else {
    addOption(*stand, aircraft, when);
  }
  stand->lastSeen[aircraft.objectId] = packDayHalfHour(when.day, when.halfHour);
  if (changed) ++park.updates;
  return changed;
}

}  // namespace tfx::airports
