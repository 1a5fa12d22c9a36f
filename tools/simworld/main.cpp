// simworld --out DIR [--cfg-files N] [--liveries M] [--seed S] [--trap-rate R]:
// writes a simulator world with AI aircraft packages for the livery scan.
#include <fmt/format.h>

#include <charconv>
#include <cstdlib>
#include <string>
#include <string_view>

#include "world.h"

namespace {

int usage() {
  fmt::print(stderr,
             "usage: simworld --out DIR [--cfg-files N] [--liveries M] [--seed S] [--trap-rate R]\n"
             "               [--dbase FILE] [--aig FILE] [--shared-data DIR]\n");
  return 2;
}

template <typename Number>
bool parsed(std::string_view text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tfx::simworld;
  WorldOptions options;
  const char* configured = std::getenv("AEROSHADOW_SHARED_DATA");
  std::filesystem::path sharedData = configured != nullptr ? configured : TFX_SHARED_DATA_DIR;
  options.sources.dbaseXml = TFX_DATA_DIR "/dbase.xml";
  options.sources.aigRegcodesXml = TFX_DATA_DIR "/AIG-regcodes.xml";
  for (int index = 1; index < argc; ++index) {
    const std::string_view name = argv[index];
    if (index + 1 >= argc) return usage();
    const std::string_view value = argv[++index];
    bool good = true;
    if (name == "--out") {
      options.out = std::filesystem::absolute(std::string(value));
    } else if (name == "--cfg-files") {
      good = parsed(value, options.cfgFiles);
    } else if (name == "--liveries") {
      good = parsed(value, options.liveries);
    } else if (name == "--seed") {
      good = parsed(value, options.seed);
    } else if (name == "--trap-rate") {
      good = parsed(value, options.trapRate) && options.trapRate >= 0.0 && options.trapRate <= 1.0;
    } else if (name == "--dbase") {
      options.sources.dbaseXml = std::string(value);
    } else if (name == "--aig") {
      options.sources.aigRegcodesXml = std::string(value);
    } else if (name == "--shared-data") {
      sharedData = std::string(value);
    } else {
      good = false;
    }
    if (!good) return usage();
  }
  if (options.out.empty()) return usage();
  options.sources.airlinesDat = sharedData / "airlines" / "openflights-airlines.dat";
  options.sources.aircraftTypesCsv = sharedData / "aircraft-types" / "faa-acd-2023-09-07.csv";
  try {
    const WorldSummary summary = generateWorld(options);
    fmt::print("{{\"cfgFiles\": {}, \"sections\": {}, \"liveries\": {}, \"folders\": {}}}\n", summary.cfgFiles,
               summary.sections, summary.liveries, summary.folders);
    return 0;
  } catch (const std::exception& error) {
    fmt::print(stderr, "simworld: {}\n", error.what());
    return 1;
  }
}
