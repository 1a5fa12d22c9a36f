// simstandin: a SimConnect server that plays Prepar3D on 127.0.0.1.
#include <fmt/format.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "options.h"
#include "server.h"
#include "titles.h"

namespace {

volatile std::sig_atomic_t stopSignal = 0;

void onSignal(int) { stopSignal = 1; }

bool writePortFile(const std::string& path, uint16_t port) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::trunc);
    out << port << '\n';
    if (!out) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  return !error;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tfx::simstandin;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
    fmt::print("{}", usageText());
    return 0;
  }
  std::string error;
  const StandinOptions options = parseOptions(arguments, error);
  if (!error.empty()) {
    fmt::print(stderr, "simstandin: {}\n{}", error, usageText());
    return 2;
  }
  std::vector<std::string> titles;
  if (!options.titlesFile.empty()) titles = readTitlesFile(options.titlesFile);
  if (!options.aircraftFolder.empty()) {
    const auto scanned = scanAircraftCfgTitles(options.aircraftFolder);
    titles.insert(titles.end(), scanned.begin(), scanned.end());
  }

  std::signal(SIGINT, onSignal);
  std::signal(SIGTERM, onSignal);

  StandinServer server(options, titles);
  server.report = [](const std::string& line) {
    fmt::print("simstandin: {}\n", line);
    std::fflush(stdout);
  };
  if (const int socketError = server.listen()) {
    fmt::print(stderr, "simstandin: cannot listen on port {}: socket error {}\n", options.port, socketError);
    return 1;
  }
  if (!options.portFile.empty() && !writePortFile(options.portFile, server.port())) {
    fmt::print(stderr, "simstandin: cannot write {}\n", options.portFile);
    return 1;
  }
  fmt::print("simstandin: {} installed titles\n", titles.size());
  server.run([] { return stopSignal != 0; });
  return 0;
}
