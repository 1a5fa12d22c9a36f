#include "lab_options.h"

#include <fmt/format.h>

#include <charconv>
#include <ctime>

#include "core/parameters.h"

namespace tfx::lab {
namespace {

double number(std::string_view option, std::string_view text) {
  double value = 0.0;
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || stop != text.data() + text.size()) {
    throw UsageError(fmt::format("{}: not a number: {}", option, text));
  }
  return value;
}

}  // namespace

std::vector<double> optionNumbers(std::string_view option, std::string_view text, size_t count) {
  std::vector<double> values;
  while (true) {
    const size_t comma = text.find(',');
    values.push_back(number(option, text.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (values.size() != count) throw UsageError(fmt::format("{}: expected {} numbers", option, count));
  return values;
}

Parameter* findSetting(std::string_view key) {
  const ParameterLists& lists = parameterLists();
  Parameter* found = nullptr;
  const auto search = [&](const auto& list) {
    for (Parameter* parameter : list)
      if (found == nullptr && parameter->name() == key) found = parameter;
  };
  search(lists.plainBools);
  search(lists.checkBoxes);
  search(lists.plainInts);
  search(lists.windowInts);
  search(lists.texts);
  search(lists.closingTexts);
  return found;
}

double LabOptions::ground() const {
  if (groundElevation) return *groundElevation;
  return park ? park->alt : 0.0;
}

std::optional<double> parseUtc(std::string_view text) {
  double epoch = 0.0;
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), epoch);
  if (error == std::errc{} && stop == text.data() + text.size()) return epoch;
  std::tm parts{};
  char zone = 'Z';
  const std::string copy(text);
  const int read = std::sscanf(copy.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &parts.tm_year, &parts.tm_mon,
                               &parts.tm_mday, &parts.tm_hour, &parts.tm_min, &parts.tm_sec, &zone);
  if (read < 6 || zone != 'Z') return std::nullopt;
  parts.tm_year -= 1900;
  parts.tm_mon -= 1;
  return static_cast<double>(timegm(&parts));
}

LabOptions parseLabOptions(std::span<const std::string_view> arguments, const std::filesystem::path& defaultInstall) {
  LabOptions options;
  options.install = defaultInstall;
  bool haveUser = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view option = arguments[i];
    const auto value = [&]() -> std::string_view {
      if (i + 1 >= arguments.size()) throw UsageError(fmt::format("{}: value missing", option));
      return arguments[++i];
    };
    if (option == "--recording") {
      options.recording = value();
    } else if (option == "--out") {
      options.out = value();
    } else if (option == "--user") {
      const auto v = optionNumbers(option, value(), 4);
      options.userLat = v[0];
      options.userLon = v[1];
      options.userAltitude = v[2];
      options.userHeading = v[3];
      haveUser = true;
    } else if (option == "--park") {
      const auto v = optionNumbers(option, value(), 3);
      options.park = airports::Airport{"PARK", "", v[0], v[1], v[2]};
    } else if (option == "--ground-elevation") {
      options.groundElevation = number(option, value());
    } else if (option == "--duration") {
      options.durationSeconds = number(option, value());
    } else if (option == "--frame-hz") {
      options.frameHz = number(option, value());
      if (options.frameHz <= 0) throw UsageError("--frame-hz: must be above 0");
    } else if (option == "--keep-times") {
      options.keepTimes = true;
    } else if (option == "--start-utc") {
      const std::string_view text = value();
      options.startUtc = parseUtc(text);
      if (!options.startUtc) throw UsageError(fmt::format("--start-utc: neither ISO 8601 UTC nor seconds: {}", text));
    } else if (option == "--install") {
      options.install = value();
    } else if (option == "--params") {
      options.params = value();
    } else if (option == "--set") {
      const std::string_view setting = value();
      const size_t equals = setting.find('=');
      if (equals == std::string_view::npos) throw UsageError(fmt::format("--set: expected KEY=VALUE: {}", setting));
      const std::string key(setting.substr(0, equals));
      if (findSetting(key) == nullptr) throw UsageError(fmt::format("--set: unknown setting {}", key));
      options.settings.emplace_back(key, setting.substr(equals + 1));
    } else if (option == "--title") {
      options.title = std::string(value());
    } else if (option == "--titles") {
      options.titles = value();
    } else if (option == "--liveries") {
      options.liveries = value();
    } else if (option == "--message-log") {
      options.messageLog = true;
    } else if (option == "--seed") {
      options.seed = static_cast<uint32_t>(number(option, value()));
    } else {
      throw UsageError(fmt::format("unknown option {}", option));
    }
  }
  if (options.recording.empty()) throw UsageError("--recording is required");
  if (options.out.empty()) throw UsageError("--out is required");
  if (!haveUser) throw UsageError("--user is required");
  return options;
}

}  // namespace tfx::lab
