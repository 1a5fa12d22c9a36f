#pragma once
// The traffic lab's command line.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "airports/airport.h"
#include "core/parameter_types.h"

namespace tfx::lab {

// Bad usage: a missing or unknown option, a value that is no number, an unknown setting.
class UsageError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// "A,B,C": exactly `count` numbers; UsageError naming the option otherwise.
std::vector<double> optionNumbers(std::string_view option, std::string_view text, size_t count);

struct LabOptions {
  std::filesystem::path recording;
  std::filesystem::path out;
  double userLat = 0, userLon = 0, userAltitude = 0, userHeading = 0;
  std::optional<airports::Airport> park;
  std::optional<double> groundElevation;  // feet
  std::optional<double> durationSeconds;
  double frameHz = 30;
  bool keepTimes = false;
  std::optional<double> startUtc;  // seconds since 1970
  std::filesystem::path install;
  std::optional<std::filesystem::path> params;
  std::vector<std::pair<std::string, std::string>> settings;
  std::optional<std::string> title;
  std::optional<std::filesystem::path> titles;
  // A saved livery list (LiveriesScanned.xml): livery matching chooses the titles.
  std::optional<std::filesystem::path> liveries;
  bool messageLog = false;
  uint32_t seed = 1;

  // The simulator's flat ground: the option, else the park airport's elevation, else 0.
  double ground() const;
};

// Throws UsageError; `defaultInstall` is the folder the tool is installed in.
LabOptions parseLabOptions(std::span<const std::string_view> arguments, const std::filesystem::path& defaultInstall);

// The setting stored under the key in parameters.xml, or nullptr.
Parameter* findSetting(std::string_view key);

// "2024-05-01T12:00:00Z" (the Z optional) or seconds since 1970.
std::optional<double> parseUtc(std::string_view text);

}  // namespace tfx::lab
