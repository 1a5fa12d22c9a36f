#include "options.h"

#include <fmt/format.h>

#include <charconv>
#include <fstream>

#include "sim/simconnect/wire_constants.h"

#include "text.h"

namespace tfx::simstandin {
namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (true) {
    const size_t end = text.find(separator, start);
    parts.push_back(trim(text.substr(start, end - start)));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

bool toDouble(std::string_view text, double& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// Numbers separated by commas; exactly `count` of them, or `count - 1` when the last may be left out.
bool numbers(std::string_view text, size_t count, bool lastOptional, std::vector<double>& values) {
  const auto parts = split(text, ',');
  if (parts.size() != count && !(lastOptional && parts.size() == count - 1)) return false;
  values.assign(count, 0.0);
  for (size_t i = 0; i < parts.size(); ++i)
    if (!toDouble(parts[i], values[i])) return false;
  return true;
}

class Parser {
 public:
  explicit Parser(StandinOptions& options) : o_(options) {}

  // Empty on success.
  std::string apply(std::string_view key, std::string_view value, int depth) {
    std::vector<double> v;
    double number = 0;
    auto bad = [&] { return fmt::format("invalid value '{}' for {}", value, key); };
    if (key == "port") {
      if (!toDouble(value, number) || number < 0 || number > 65535) return bad();
      o_.port = static_cast<uint16_t>(number);
      o_.portGiven = true;
    } else if (key == "port-file") {
      o_.portFile = value;
    } else if (key == "simulator") {
      o_.simulator = value;
    } else if (key == "frame-rate") {
      if (!toDouble(value, o_.frameRate) || o_.frameRate <= 0 || o_.frameRate > 1000) return bad();
    } else if (key == "ground-elevation") {
      if (!toDouble(value, o_.groundElevationFeet)) return bad();
    } else if (key == "titles") {
      o_.titlesFile = value;
    } else if (key == "aircraft-folder") {
      o_.aircraftFolder = value;
    } else if (key == "user-title") {
      o_.userTitle = value;
    } else if (key == "user-atc-id") {
      o_.userAtcId = value;
    } else if (key == "user-atc-model") {
      o_.userAtcModel = value;
    } else if (key == "trace") {
      o_.traceFile = value;
    } else if (key == "message-log") {
      o_.messageLogFile = value;
    } else if (key == "single-client") {
      o_.singleClient = value.empty() || value == "1" || value == "true";
    } else if (key == "parked") {
      if (!numbers(value, 4, true, v)) return bad();
      o_.scenario.start = {v[0], v[1], v[2], v[3], 0};
    } else if (key == "flying") {
      if (!numbers(value, 5, false, v)) return bad();
      o_.scenario.start = {v[0], v[1], v[2], v[4], v[3]};
    } else if (key == "teleport-at") {
      if (!numbers(value, 5, false, v)) return bad();
      o_.scenario.teleports.push_back({v[0], v[1], v[2], v[3], v[4]});
    } else if (key == "other-traffic-at") {
      const auto comma = value.rfind(',');
      if (comma == std::string_view::npos) return bad();
      const std::string_view tail = trim(value.substr(comma + 1));
      if (tail.empty() || !numbers(value.substr(0, comma), 4, false, v)) return bad();
      o_.scenario.otherTraffic.push_back({v[0], v[1], v[2], v[3], std::string(tail)});
    } else if (key == "flight-loaded-at") {
      const auto comma = value.find(',');
      if (comma == std::string_view::npos || !toDouble(trim(value.substr(0, comma)), number)) return bad();
      o_.scenario.flightLoads.push_back({number, std::string(trim(value.substr(comma + 1)))});
    } else if (key == "pause-at" || key == "resume-at" || key == "quit-at") {
      if (!toDouble(value, number)) return bad();
      auto& target = key == "pause-at" ? o_.scenario.pauseAt
                     : key == "resume-at" ? o_.scenario.resumeAt
                                          : o_.scenario.quitAt;
      target = number;
    } else if (key == "scenario") {
      if (depth > 0) return "a scenario file cannot name another";
      return readFile(value);
    } else {
      return fmt::format("unknown option {}", key);
    }
    return {};
  }

 private:
  std::string readFile(std::string_view path) {
    std::ifstream in{std::string(path)};
    if (!in) return fmt::format("cannot read scenario file {}", path);
    std::string line;
    while (std::getline(in, line)) {
      const std::string_view content = trim(std::string_view(line).substr(0, line.find('#')));
      if (content.empty()) continue;
      const auto equals = content.find('=');
      const std::string_view key = trim(content.substr(0, equals));
      const std::string_view value = equals == std::string_view::npos ? "" : trim(content.substr(equals + 1));
      if (auto error = apply(key, value, 1); !error.empty()) return fmt::format("{}: {}", path, error);
    }
    return {};
  }

  StandinOptions& o_;
};

}  // namespace

SimulatorIdentity simulatorIdentity(std::string_view choice) {
  // The registered-sign bytes are Windows-1252, as the simulator sends them.
  if (choice == "v5") return {"Lockheed Martin\xAE Prepar3D\xAE v5", {5, 3, 17, 28160}};
  if (choice == "v6") return {"Lockheed Martin\xAE Prepar3D\xAE v6", {6, 0, 34, 31011}};
  return {std::string(choice), {1, 0, 0, 0}};
}

StandinOptions parseOptions(const std::vector<std::string>& arguments, std::string& error) {
  StandinOptions options;
  options.port = tfx::simconnect::kDefaultPort;
  Parser parser(options);
  error.clear();
  for (const std::string& argument : arguments) {
    std::string_view text = argument;
    if (!text.starts_with("--")) {
      error = fmt::format("unexpected argument {}", argument);
      return options;
    }
    text.remove_prefix(2);
    const auto equals = text.find('=');
    const std::string_view key = text.substr(0, equals);
    const std::string_view value = equals == std::string_view::npos ? "" : text.substr(equals + 1);
    error = parser.apply(key, value, 0);
    if (!error.empty()) return options;
  }
  return options;
}

std::string_view usageText() {
  return R"(simstandin: a SimConnect server on 127.0.0.1 that plays Prepar3D.
Options (--key=value; the same keys as key=value lines in a scenario file):
  --port=N                 TCP port (default 2048; 0 picks a free one)
  --port-file=PATH         write the port actually bound to PATH
  --simulator=v5|v6|NAME   simulator played (default v5); another name tests refusals
  --frame-rate=HZ          Frame events per second (default 30)
  --ground-elevation=FT    elevation of the flat ground (default 0)
  --titles=FILE            installed aircraft titles, one per line
  --aircraft-folder=DIR    or: titles of every aircraft.cfg below DIR
  --user-title=TEXT --user-atc-id=TEXT --user-atc-model=TEXT   the user aircraft
  --parked=LAT,LON,HDG[,ALT]        user aircraft parked (the default, at 47.4582,8.5481)
  --flying=LAT,LON,HDG,KNOTS,ALT    user aircraft flying a straight leg
  --teleport-at=SEC,LAT,LON,HDG,ALT user aircraft jumps (repeatable)
  --pause-at=SEC --resume-at=SEC --quit-at=SEC
  --flight-loaded-at=SEC,FILE       a flight is loaded (repeatable)
  --other-traffic-at=SEC,LAT,LON,ALT,TAIL  another program creates an AI aircraft (repeatable)
  --trace=FILE             one line per AI object per frame
  --message-log=FILE       one line per received message
  --single-client          end when the first client disconnects
  --scenario=FILE          read more options from FILE
Times are seconds from the start. SIGINT or SIGTERM stop it.
)";
}

}  // namespace tfx::simstandin
