#include "flightplan/flight_plan_list.h"

#include <fmt/format.h>

#include "core/log.h"
#include "flightplan/flight_plan_file.h"

namespace tfx::flightplan {

std::optional<std::filesystem::path> FlightPlanList::planFor(std::uint32_t hexid, std::string_view name, int category,
                                                             std::string_view origin, std::string_view destination) {
  if (origin.empty() || destination.empty()) return std::nullopt;
  const std::filesystem::path path = gf_flightPlanPath(hexid);
  Route route{std::string(origin), std::string(destination)};
  const auto known = routes_.find(hexid);
  if (known != routes_.end() && known->second == route) return path;
  if (!gf_writeFlightPlan(path, category, origin, destination)) {
    routes_.erase(hexid);
    writeLog(fmt::format("{} creating a flight plan failed", name));
    return std::nullopt;
  }
  routes_[hexid] = std::move(route);
  return path;
}

}  // namespace tfx::flightplan
