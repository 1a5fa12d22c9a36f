#include "aircraft/aircraft_category.h"

namespace tfx {

std::string_view categoryName(AircraftCategory category) {
  static constexpr std::array<std::string_view, kAircraftCategoryCount> kNames{"Light",   "Buzjets",  "Large",
                                                                               "Heavy",   "HighPerf", "Rotorcraft"};
  return kNames.at(static_cast<size_t>(category));
}

}  // namespace tfx
