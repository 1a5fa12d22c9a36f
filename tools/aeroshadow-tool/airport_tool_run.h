#pragma once
// What the airport commands share: running as the program does in an install
// folder, with the user's settings and a download site, and their JSON output.
#include <chrono>
#include <functional>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "command.h"
#include "core/geodesy.h"
#include "core/log.h"

namespace tfx::tool {

struct AirportToolArguments {
  std::filesystem::path install;  // the tool's install folder unless --install
  std::string site;               // the download site unless --site
  std::vector<std::string> assignments;                     // --set KEY=VALUE, in order
  std::map<std::string, std::string, std::less<>> options;  // other --NAME VALUE pairs
  std::vector<std::string> positional;
};

// Splits the command line; valueOptions are the --NAME VALUE options the
// command takes besides --install, --site and --set.
AirportToolArguments parseAirportToolArguments(CommandArguments arguments, const std::vector<std::string_view>& valueOptions);

// Makes the install folder the current folder, as the program runs, and takes
// the user's settings from the per-user parameters.xml without saving them.
void enterInstallFolder(const AirportToolArguments& arguments);

// Reads the installed aircraft database (input/dbase.enc) when there is one,
// for registration look-ups.
void readInstalledAircraftDatabase();

// "2025-02-05T01:29:30Z" or epoch seconds; none for any other text.
std::optional<std::chrono::system_clock::time_point> parseToolTime(std::string_view text);

// "LAT,LON" in decimal degrees; UsageError naming the option otherwise.
LatLon parseToolPosition(std::string_view option, std::string_view text);

// Prints the object with the run's log lines as "log"; returns 0.
int printWithLog(nlohmann::ordered_json object, const LogCapture& log);

// Runs a command body: usage errors print the usage and give 2, other errors
// their text and 1.
int runAirportCommand(std::string_view usage, const std::function<int()>& body);

}  // namespace tfx::tool
