#pragma once
// The airport's own parking settings, kept in its learned file.
#include <pugixml.hpp>

#include "airports/park_stands.h"

namespace tfx::airports {

// Takes every parking setting a learned file holds into the program's
// settings (shown in the window) and logs each.
void applyParkingParameters(const pugi::xml_document& learned, ParkStands& park);

// Appends one parameter element per parking setting with its current value.
void appendParkingParameters(pugi::xml_node parameters);

}  // namespace tfx::airports
