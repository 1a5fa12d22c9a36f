#pragma once
// The command line of feedstandin.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace feedstandin {

enum class QnhFormat { Hectopascals, Text, InchesOfMercury };

struct Options {
  std::string host = "127.0.0.1";
  uint16_t trafficPort = 49005;
  uint16_t weatherPort = 49004;
  // The program's control channel; none when empty.
  std::optional<uint16_t> controlPort = uint16_t{10747};

  std::filesystem::path replay;
  double speed = 1.0;
  bool keepTimes = false;
  bool exitAtEnd = false;

  int aircraft = 0;
  double centerLat = 47.4647;
  double centerLon = 8.5492;
  double rate = 1.0;

  int qnh = 1013;
  QnhFormat qnhFormat = QnhFormat::Hectopascals;
  double qnhInterval = 10.0;

  int level = 2;
  std::string version = "9.0.1";

  std::filesystem::path log;
  double duration = 0.0;
};

// Throws std::invalid_argument with a message for the user.
Options parseOptions(std::span<const std::string_view> arguments);

extern const std::string_view kUsage;

}  // namespace feedstandin
