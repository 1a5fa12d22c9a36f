#pragma once
// The routes whose plan files were written this session, by hexid: a plan is
// written again only when an aircraft's route changes. Owned by the main
// program thread; cleared at close-down.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tfx::flightplan {

struct Route {
  std::string origin;
  std::string destination;
  bool operator==(const Route&) const = default;
};

class FlightPlanList {
 public:
  // The plan file to assign to an aircraft that is being created: written
  // when the route is new or changed. None without both codes, or when the
  // file could not be written (logged as "{} creating a flight plan failed"
  // with the aircraft's name).
  std::optional<std::filesystem::path> planFor(std::uint32_t hexid, std::string_view name, int category,
                                               std::string_view origin, std::string_view destination);
  void clear() { routes_.clear(); }
  std::size_t size() const { return routes_.size(); }

 private:
  std::unordered_map<std::uint32_t, Route> routes_;
};

}  // namespace tfx::flightplan
