#pragma once
// Connection settings of the SimConnect client, read from SimConnect.cfg in
// the install folder (the current folder):
//   [SimConnect]            (or [SimConnect.0])
//   Protocol=IPv4
//   Address=127.0.0.1
//   Port=2048
//   MaxReceiveSize=65536
//   DisableNagle=0
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "sim/simconnect/wire_constants.h"

namespace tfx::simconnect {

// Large enough for any message the simulator sends the program (the longest
// fixed one is 308 bytes; object data stay far below), small enough that a
// corrupt size field cannot make the client allocate without bound.
inline constexpr uint32_t kDefaultMaxReceiveSize = 65536;

struct SimConnectConfig {
  std::string protocol = "IPv4";
  std::string address = "127.0.0.1";
  uint16_t port = kDefaultPort;
  uint32_t maxReceiveSize = kDefaultMaxReceiveSize;
  // Off by default, as the simulator's own client library has it.
  bool disableNagle = false;
};

inline constexpr std::string_view kSimConnectConfigFile = "SimConnect.cfg";

// The settings of the first [SimConnect] or [SimConnect.0] section; keys are
// case-blind, ';' and '#' start comments. A value that cannot be read is
// logged and its default kept.
SimConnectConfig parseSimConnectConfig(std::string_view text);

// Defaults when the file does not exist.
SimConnectConfig loadSimConnectConfig(const std::filesystem::path& file = kSimConnectConfigFile);

}  // namespace tfx::simconnect
