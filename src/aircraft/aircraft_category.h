#pragma once
// The class of an aircraft type, derived from the database's category lists.
#include <array>
#include <string_view>

namespace tfx {

enum class AircraftCategory : int { Light = 0, Buzjets = 1, Large = 2, Heavy = 3, HighPerf = 4, Rotorcraft = 5 };

inline constexpr size_t kAircraftCategoryCount = 6;

// "Light", "Buzjets", "Large", "Heavy", "HighPerf", "Rotorcraft".
std::string_view categoryName(AircraftCategory category);

}  // namespace tfx
