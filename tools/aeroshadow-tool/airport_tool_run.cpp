#include "airport_tool_run.h"

#include <fmt/format.h>
#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "aircraft/read_dbase.h"
#include "core/folders.h"
#include "core/parameters.h"
#include "data/download_site.h"
#include "install_folder.h"
#include "platform/program_path.h"

namespace tfx::tool {
namespace {

namespace fs = std::filesystem;

std::vector<Parameter*> everySetting() {
  std::vector<Parameter*> settings;
  const ParameterLists& lists = parameterLists();
  settings.insert(settings.end(), lists.plainBools.begin(), lists.plainBools.end());
  settings.insert(settings.end(), lists.checkBoxes.begin(), lists.checkBoxes.end());
  settings.insert(settings.end(), lists.plainInts.begin(), lists.plainInts.end());
  settings.insert(settings.end(), lists.windowInts.begin(), lists.windowInts.end());
  settings.insert(settings.end(), lists.texts.begin(), lists.texts.end());
  settings.insert(settings.end(), lists.closingTexts.begin(), lists.closingTexts.end());
  settings.push_back(&parking_percentage);
  settings.push_back(&MAX_FIT_FL);
  return settings;
}

Parameter* settingNamed(std::string_view name) {
  for (Parameter* setting : everySetting()) {
    if (setting->name() == name) return setting;
  }
  return nullptr;
}

void applySetting(std::string_view assignment) {
  const size_t equals = assignment.find('=');
  Parameter* setting = equals == std::string_view::npos ? nullptr : settingNamed(assignment.substr(0, equals));
  if (setting == nullptr) throw UsageError(fmt::format("--set needs KEY=VALUE with a known KEY: '{}'", assignment));
  setting->setFromText(assignment.substr(equals + 1));
}

// The stored values only: the file is read, never written.
void takeUserSettings() {
  pugi::xml_document document;
  if (!document.load_file(parametersFile().c_str())) return;
  for (Parameter* setting : everySetting()) {
    for (const pugi::xml_node element : document.child("parameters").children("parameter")) {
      if (setting->name() == element.attribute("name").as_string()) {
        setting->setFromText(element.attribute("value").as_string());
        break;
      }
    }
  }
}

}  // namespace

AirportToolArguments parseAirportToolArguments(CommandArguments arguments, const std::vector<std::string_view>& valueOptions) {
  AirportToolArguments parsed;
  parsed.install = platform::runningProgramPath().parent_path();
  parsed.site = kDownloadBaseUrl;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (!argument.starts_with("--")) {
      parsed.positional.emplace_back(argument);
      continue;
    }
    if (i + 1 >= arguments.size()) throw UsageError(fmt::format("{} needs a value", argument));
    const std::string value(arguments[++i]);
    if (argument == "--install") {
      parsed.install = value;
    } else if (argument == "--site") {
      parsed.site = value;
    } else if (argument == "--set") {
      parsed.assignments.push_back(value);
    } else if (std::find(valueOptions.begin(), valueOptions.end(), argument) != valueOptions.end()) {
      parsed.options[std::string(argument)] = value;
    } else {
      throw UsageError(fmt::format("unknown option {}", argument));
    }
  }
  return parsed;
}

void enterInstallFolder(const AirportToolArguments& arguments) {
  std::error_code error;
  fs::current_path(arguments.install, error);
  if (error) throw std::runtime_error(fmt::format("cannot enter install folder '{}'", arguments.install.string()));
  takeUserSettings();
  for (const std::string& assignment : arguments.assignments) applySetting(assignment);
}

void readInstalledAircraftDatabase() {
  if (!fs::exists(paths::dbaseEnc)) return;
  gf_readDbase(paths::dbaseEnc, temporaryPlainFile("aeroshadow-stands"));
}

std::optional<std::chrono::system_clock::time_point> parseToolTime(std::string_view text) {
  using namespace std::chrono;
  long long epoch = 0;
  if (const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), epoch);
      error == std::errc{} && end == text.data() + text.size()) {
    return system_clock::time_point(seconds(epoch));
  }
  int year = 0;
  unsigned month = 0;
  unsigned day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  char zone = 0;
  const std::string copy(text);
  if (std::sscanf(copy.c_str(), "%4d-%2u-%2uT%2d:%2d:%2d%c", &year, &month, &day, &hour, &minute, &second, &zone) != 7 ||
      zone != 'Z' || copy.size() != 20) {
    return std::nullopt;
  }
  const year_month_day date{std::chrono::year(year), std::chrono::month(month), std::chrono::day(day)};
  if (!date.ok() || hour > 23 || minute > 59 || second > 60) return std::nullopt;
  return sys_days(date) + hours(hour) + minutes(minute) + seconds(second);
}

LatLon parseToolPosition(std::string_view option, std::string_view text) {
  const auto degrees = [&](std::string_view part) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (error != std::errc{} || end != part.data() + part.size()) throw UsageError(fmt::format("'{}' is no number", part));
    return value;
  };
  const size_t comma = text.find(',');
  if (comma == std::string_view::npos) throw UsageError(fmt::format("{} needs LAT,LON", option));
  return {degrees(text.substr(0, comma)), degrees(text.substr(comma + 1))};
}

int printWithLog(nlohmann::ordered_json object, const LogCapture& log) {
  object["log"] = log.lines();
  fmt::print("{}\n", object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
  return 0;
}

int runAirportCommand(std::string_view usage, const std::function<int()>& body) {
  try {
    return body();
  } catch (const UsageError& error) {
    fmt::print(stderr, "{}\nusage: {}\n", error.what(), usage);
    return 2;
  } catch (const std::exception& error) {
    fmt::print(stderr, "{}\n", error.what());
    return 1;
  }
}

}  // namespace tfx::tool
