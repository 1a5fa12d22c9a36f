#pragma once
// The stand-in's settings: "--key=value" on the command line, or "key=value"
// lines (with # comments) in a scenario file given by --scenario.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scenario.h"

namespace tfx::simstandin {

struct SimulatorIdentity {
  std::string name;
  uint32_t version[4] = {0, 0, 0, 0};
};

// "v5" and "v6" play Prepar3D of that version; any other text is used as the
// simulator's name (to test how the program refuses other simulators).
SimulatorIdentity simulatorIdentity(std::string_view choice);

struct StandinOptions {
  uint16_t port = 0;
  bool portGiven = false;
  std::string portFile;  // receives the port actually bound
  std::string simulator = "v5";
  double frameRate = 30;
  double groundElevationFeet = 0;
  std::string titlesFile;
  std::string aircraftFolder;
  std::string userTitle = "Standin Boeing 737-800";
  std::string userAtcId = "N737SI";
  std::string userAtcModel = "B738";
  std::string traceFile;
  std::string messageLogFile;
  bool singleClient = false;  // end when the first client leaves
  ScenarioPlan scenario;
};

// Empty error on success.
StandinOptions parseOptions(const std::vector<std::string>& arguments, std::string& error);

std::string_view usageText();

}  // namespace tfx::simstandin
