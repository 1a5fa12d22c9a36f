#pragma once
// Reading one airport's stands as the program reads its park airport's, for
// the stand commands.
#include <chrono>
#include <string>

#include "airport_tool_run.h"
#include "airports/park_stands.h"

namespace tfx::tool {

// Makes the code the park airport (from the installed airport database when
// it knows the code), finds and reads its stand file with the learned file.
// Throws with the reading's error text when the stands cannot be used.
void readParkStands(const std::string& code, const AirportToolArguments& arguments,
                    std::chrono::system_clock::time_point now, airports::ParkStands& park);

}  // namespace tfx::tool
