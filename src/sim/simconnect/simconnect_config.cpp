#include "sim/simconnect/simconnect_config.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

#include "core/log.h"
#include "core/text_trim.h"

namespace tfx::simconnect {
namespace {

template <class T>
void readNumber(std::string_view key, std::string_view value, T& target) {
  T parsed{};
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), parsed);
  if (error != std::errc() || end != value.data() + value.size() || parsed == 0) {
    writeLogError(fmt::format("SimConnect.cfg: invalid {} '{}', {} is used", key, value, target));
    return;
  }
  target = parsed;
}

}  // namespace

SimConnectConfig parseSimConnectConfig(std::string_view text) {
  SimConnectConfig config;
  bool inSection = false;
  bool sectionSeen = false;
  std::istringstream lines{std::string(text)};
  std::string line;
  while (std::getline(lines, line)) {
    std::string_view content = line;
    content = trimBlanks(content.substr(0, content.find_first_of(";#")));
    if (content.empty()) continue;
    if (content.front() == '[') {
      const std::string name = lowerAscii(trimBlanks(content.substr(1, content.find(']') - 1)));
      // Only the first matching section counts, as the default configuration index is 0.
      inSection = !sectionSeen && (name == "simconnect" || name == "simconnect.0");
      sectionSeen = sectionSeen || inSection;
      continue;
    }
    const auto equals = content.find('=');
    if (!inSection || equals == std::string_view::npos) continue;
    const std::string key = lowerAscii(trimBlanks(content.substr(0, equals)));
    const std::string_view value = trimBlanks(content.substr(equals + 1));
    if (key == "protocol") {
      config.protocol = value;
    } else if (key == "address") {
      config.address = value.empty() ? "127.0.0.1" : std::string(value);
    } else if (key == "port") {
      readNumber("Port", value, config.port);
    } else if (key == "maxreceivesize") {
      readNumber("MaxReceiveSize", value, config.maxReceiveSize);
    } else if (key == "disablenagle") {
      config.disableNagle = !value.empty() && value != "0" && lowerAscii(value) != "false";
    }
  }
  return config;
}

SimConnectConfig loadSimConnectConfig(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  std::ostringstream content;
  content << in.rdbuf();
  return parseSimConnectConfig(content.str());
}

}  // namespace tfx::simconnect
