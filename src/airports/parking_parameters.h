#pragma once
// The airport's own parking settings, kept in its learned file.
#include <pugixml.hpp>

#include <string>
#include <utility>
#include <vector>

#include "airports/park_stands.h"

namespace tfx::airports {

// Takes every parking setting a learned file holds into the program's
// settings (shown in the window) and logs each.
void applyParkingParameters(const pugi::xml_document& learned, ParkStands& park);

// Every parking setting's name and current value, in the order a learned
// file lists them.
std::vector<std::pair<std::string, std::string>> parkingParameterValues();

}  // namespace tfx::airports
