#include "traffic/sim_state.h"

#include "aircraft/aircraft_category.h"

#include <stdexcept>
#include <string>
#include <unordered_map>

namespace tfx {
namespace {

constexpr std::string_view kInvalidKey = "invalid unordered_map<K, T> key";

using NameTable = std::unordered_map<uint32_t, std::string_view>;

std::string_view lookup(const NameTable& table, uint32_t value) {
  const auto found = table.find(value);
  if (found == table.end()) throw std::out_of_range(std::string(kInvalidKey));
  return found->second;
}

}  // namespace

std::string_view simStateName(SimState state) {
  static const NameTable names{
      {0, "buffer"}, {1, "adding2sim"}, {2, "active"}, {3, "liveryrespawn"}, {4, "removingfromsim"}};
  return lookup(names, static_cast<uint32_t>(state));
}

std::string_view flightPhaseName(FlightPhase phase) {
  static const NameTable names{{0, "pushing_back"}, {1, "pushed_back"}, {2, "taxi"},   {3, "take_off"},
                               {4, "flying"},       {5, "parking"},     {6, "parked"}, {7, "birth"}};
  return lookup(names, static_cast<uint32_t>(phase));
}

std::string_view aircraftCategoryName(uint32_t category) {
  if (category >= kAircraftCategoryCount) throw std::out_of_range(std::string(kInvalidKey));
  return categoryName(static_cast<AircraftCategory>(category));
}

}  // namespace tfx
