#include "traffic/new_aircraft.h"

#include <array>
#include <optional>
#include <string>

#include "aircraft/aircraft_queries.h"
#include "core/parameters.h"
#include "traffic/report_acceptance.h"

namespace tfx {
namespace {

struct CategoryConstants {
  double climbLimit;  // feet per cycle
  double standSpeed;  // knots
};

constexpr std::array<CategoryConstants, kAircraftCategoryCount> kCategoryConstants{{
    {0.5, 5.0},   // Light
    {0.75, 4.5},  // Buzjets
    {0.6, 4.0},   // Large
    {0.5, 3.0},   // Heavy
    {1.0, 4.5},   // HighPerf
    {0.75, 5.0},  // Rotorcraft
}};

// The type of the report, else of its registration; nullopt when none is valid.
std::optional<std::string> typeOf(const TrafficReport& report) {
  std::optional<RegcodeRecord> regcode;
  if (!report.registration.empty()) regcode = gf_findRegcode(report.registration);
  if (!report.type.empty() && gf_validAcType(report.type)) return report.type;
  if (regcode && !regcode->type.empty() && gf_validAcType(regcode->type)) return regcode->type;
  return std::nullopt;
}

}  // namespace

bool categoryShown(AircraftCategory category) {
  switch (category) {
    case AircraftCategory::Light: return LIGHT_AIRCRAFT.value();
    case AircraftCategory::HighPerf: return HIGH_PERF_AIRCRAFT.value();
    case AircraftCategory::Rotorcraft: return HELICOPTERS.value();
    default: return true;
  }
}

bool makeAircraft(TrafficContext& context, const TrafficReport& report) {
  const std::optional<std::string> type = typeOf(report);
  if (!type) return false;
  const AircraftCategory category = gf_acCategory(*type);
  const auto index = static_cast<size_t>(category);
  if (index >= kAircraftCategoryCount || !categoryShown(category)) return false;
  if (inParkAirportBand(report.altitude)) return false;

  LiveAircraft& aircraft = context.state.liveList.emplace_back();
  aircraft.type = *type;
  aircraft.origin = report.origin;
  aircraft.destination = report.destination;
  aircraft.callsign = report.callsign;
  aircraft.firstCallsign = report.callsign;
  aircraft.registration = report.registration;
  aircraft.climbLimit = kCategoryConstants[index].climbLimit;
  aircraft.standSpeed = kCategoryConstants[index].standSpeed;
  aircraft.halfWingspan = gf_halfWingspan(*type);
  aircraft.hexid = report.hexid;
  aircraft.category = static_cast<uint32_t>(index);
  aircraft.history.push_back(trackPointOf(report));
  aircraft.lastTimestamp = report.timestamp;
  context.links.observer.created(aircraft);
  return true;
}

}  // namespace tfx
