// feedstandin: plays RealTraffic for the program on this computer.
#include <fmt/format.h>

#include <optional>
#include <string_view>
#include <vector>

#include "control_client.h"
#include "event_log.h"
#include "feed_player.h"
#include "options.h"
#include "recording.h"
#include "stop_signal.h"

using namespace feedstandin;

namespace {

void summarise(const SendCounts& counts, const ControlClient* client, EventLog& log) {
  std::vector<std::string> lines;
  for (const auto& [port, count] : counts) lines.push_back(fmt::format("datagrams sent to port {}: {}", port, count));
  if (client != nullptr) {
    lines.push_back(fmt::format("control connections: {}, Qs121 received: {}, Qs123 received: {}",
                                client->connections(), client->positionMessages(), client->timeMessages()));
  }
  lines.push_back(fmt::format("stopped: {}", stopReason()));
  for (const std::string& line : lines) {
    fmt::print("{}\n", line);
    log.record(line);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  for (std::string_view argument : arguments) {
    if (argument == "--help" || argument == "-h") {
      fmt::print("{}", kUsage);
      return 0;
    }
  }
  try {
    const Options options = parseOptions(arguments);
    const std::vector<RecordedDatagram> recording =
        options.replay.empty() ? std::vector<RecordedDatagram>{} : loadRecording(options.replay);
    installStopSignals();
    EventLog log(options.log);
    std::optional<ControlClient> client;
    if (options.controlPort) {
      client.emplace(ControlClientSettings{options.host, *options.controlPort, options.level, options.version}, log);
    }
    const SendCounts counts = playFeed(options, recording);
    if (client) client->join();
    summarise(counts, client ? &*client : nullptr, log);
    return 0;
  } catch (const std::invalid_argument& error) {
    fmt::print(stderr, "feedstandin: {}\n\n{}", error.what(), kUsage);
    return 2;
  } catch (const std::exception& error) {
    fmt::print(stderr, "feedstandin: {}\n", error.what());
    return 1;
  }
}
