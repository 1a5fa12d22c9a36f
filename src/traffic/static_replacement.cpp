#include "traffic/static_replacement.h"

#include "core/log.h"
#include "core/log_line.h"
#include "core/parameters.h"
#include "traffic/ground_stands.h"
#include "traffic/static_objects.h"

namespace tfx {
namespace {

constexpr int kHalfHoursPerDay = 48;
constexpr std::string_view kReason = "same-aircraft";

// Decided here: "around this time" is the current half-hour of the day and the
// one on either side, as an aircraft's turnaround at the stand spans them.
bool aroundThisTime(const airports::StandOption& option, airports::DayHalfHour now) {
  if (option.day != now.day) return false;
  for (int halfHour = now.halfHour - 1; halfHour <= now.halfHour + 1; ++halfHour)
    if (halfHour >= 0 && halfHour < kHalfHoursPerDay && option.halfHours.test(static_cast<size_t>(halfHour)))
      return true;
  return false;
}

std::string_view withoutGhostMark(std::string_view callsign) {
  if (!callsign.empty() && callsign.back() == '_') callsign.remove_suffix(1);
  return callsign;
}

bool sameName(std::string_view a, std::string_view b) { return !a.empty() && a == b; }

std::string staticStandName(TrafficContext& context, const StaticRecord& record) {
  return standName(context, static_cast<uint32_t>(record.aircraft.standIndex));
}

std::string_view whereLive(const LiveAircraft& aircraft) {
  return aircraft.onGroundConfirmed ? "on ground" : "airborne";
}

bool standsForLive(const StaticRecord& record) { return record.active && !record.removing; }

void findCoupledOnce(TrafficContext& context, LiveAircraft& aircraft) {
  if (aircraft.coupledChecked) return;
  aircraft.coupledChecked = true;
  const ParkingView view = context.links.stands.view();
  if (view.parking == nullptr) return;
  aircraft.coupledCallsign = lf_searchForCoupledCsAroundThisTime(view.parking->stands.parkStands, view.now,
                                                                 withoutGhostMark(aircraft.callsign));
}

}  // namespace

std::string lf_searchForCoupledCsAroundThisTime(const std::vector<airports::Stand>& stands,
                                                airports::DayHalfHour now, std::string_view callsign) {
  if (callsign.empty()) return {};
  for (const airports::Stand& stand : stands) {
    for (const airports::StandOption& option : stand.options) {
      if (option.callsignNote.empty() || !aroundThisTime(option, now)) continue;
      if (option.callsign == callsign) return option.callsignNote;
      if (option.callsignNote == callsign) return option.callsign;
    }
  }
  return {};
}

void replaceStaticForCheckedLive(TrafficContext& context) {
  TrafficState& state = context.state;
  if (state.staticCheckList.empty()) return;
  const uint32_t hexid = state.staticCheckList.front();
  state.staticCheckList.erase(state.staticCheckList.begin());
  LiveAircraft* aircraft = state.findHexid(hexid);
  if (aircraft == nullptr || aircraft->state == SimState::RemovingFromSim) return;
  findCoupledOnce(context, *aircraft);
  const std::string_view liveCallsign = withoutGhostMark(aircraft->callsign);
  const std::string_view liveCoupled = aircraft->coupledCallsign;
  for (const StaticRecord& record : state.staticRecords) {
    if (!standsForLive(record)) continue;
    const airports::ParkedAircraft& parked = record.aircraft;
    const bool sameRegistration = sameName(parked.registration, aircraft->registration);
    const bool sameFlight = sameName(parked.callsign, liveCallsign);
    if (!sameRegistration && !sameFlight && !sameName(parked.callsign, liveCoupled) &&
        !sameName(parked.callsignNote, liveCallsign) && !sameName(parked.callsignNote, liveCoupled)) {
      continue;
    }
    if (LOG.value() && sameRegistration) {
      writeLogLine("{:8}: {:8} {} removed, new {} '{}' has same regcode {}", staticStandName(context, record),
                           parked.callsign, parked.type, whereLive(*aircraft), aircraft->callsign,
                           parked.registration);
    } else if (LOG.value()) {
      writeLogLine("{:8}: {:8} '{} {}' removed, new {} {} '{}' '{}' has {} callsign",
                           staticStandName(context, record), parked.type, parked.callsign, parked.callsignNote,
                           whereLive(*aircraft), aircraft->type, aircraft->callsign, aircraft->coupledCallsign,
                           sameFlight ? "same" : "coupled");
    }
    removeStaticAircraft(context, parked.hexid, kReason);
    return;
  }
}

void replaceStarredStatics(TrafficContext& context) {
  TrafficState& state = context.state;
  for (const LiveAircraft& aircraft : state.liveList) {
    if (aircraft.state != SimState::Active || !aircraft.onGroundConfirmed) continue;
    for (const StaticRecord& record : state.staticRecords) {
      if (!standsForLive(record)) continue;
      const airports::ParkedAircraft& parked = record.aircraft;
      const bool starred = !aircraft.callsign.empty() && parked.callsign.size() == aircraft.callsign.size() + 1 &&
                           parked.callsign.starts_with(aircraft.callsign) && parked.callsign.back() == '*';
      if (!starred && !sameName(parked.registration, aircraft.registration)) continue;
      removeStaticAircraft(context, parked.hexid, kReason);
      break;
    }
  }
}

}  // namespace tfx
