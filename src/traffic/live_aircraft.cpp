#include "traffic/live_aircraft.h"

#include <fmt/format.h>

#include "sim/sim_notification.h"

namespace tfx {

bool isLiveHexid(uint32_t hexid) { return hexid > sim::kMaxStaticHexid; }

bool isValidCallsign(std::string_view callsign) {
  return !callsign.empty() && callsign.size() <= 8 && callsign != "@@@@@@@@";
}

bool isProvisionalCallsign(std::string_view callsign) { return !callsign.empty() && callsign.back() == '_'; }

std::string modelTag(const LiveAircraft& aircraft) { return fmt::format("{:3} {:4}", aircraft.airline, aircraft.type); }

std::string routeText(const LiveAircraft& aircraft) {
  if (aircraft.origin.empty() && aircraft.destination.empty()) return std::string(8, ' ');
  return fmt::format("{:3}->{:3}", aircraft.origin, aircraft.destination);
}

std::string aircraftName(const LiveAircraft& aircraft) {
  return fmt::format("{:8} {:8} {}", aircraft.callsign, aircraft.registration, routeText(aircraft));
}

std::string longName(const LiveAircraft& aircraft) {
  return fmt::format("{} {}", aircraftName(aircraft), modelTag(aircraft));
}

}  // namespace tfx
