// Every input is an aircraft.cfg: read from a file in whatever encoding it
// has, its sections become liveries or report lines. Besides crashes and
// undefined behaviour, a livery that breaks a promise of the scan stops the
// run, and so does a line on which the key matcher and the key pattern
// disagree.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "aircraft/aircraft_cfg_file.h"
#include "aircraft/cfg_key_line.h"
#include "fuzz_database.h"

namespace {

using namespace tfx;

void require(bool promise) {
  if (!promise) __builtin_trap();
}

// The pattern is tried only on short lines: std::regex recurses per character.
constexpr size_t kPatternLineLimit = 160;

void checkMatcherAgainstPattern(std::string_view line) {
  static const std::map<std::string, std::regex> patterns = [] {
    std::map<std::string, std::regex> built;
    for (const char* key : {"title", "atc_id", "atc_parking_codes"}) {
      built.emplace(key, std::regex(std::string("\\s*(") + key + ")\\s*=\\s*(.*\\S)\\s*"));
    }
    return built;
  }();
  if (line.size() > kPatternLineLimit) return;
  const std::string text(line);
  const size_t first = text.find_first_not_of(" \t\n\v\f\r");
  for (const auto& [key, pattern] : patterns) {
    // The pattern needs the key right after the blanks: no other line can match.
    if (first == std::string::npos || text[first] != key.front()) {
      require(!keyLineValue(text, key));
      continue;
    }
    std::smatch match;
    const bool matched = std::regex_match(text, match, pattern);
    const auto value = keyLineValue(text, key);
    require(matched == value.has_value());
    if (matched) require(match[2].str() == *value);
  }
}

const std::filesystem::path& inputFile() {
  static const std::filesystem::path file = [] {
    const char* folder = std::getenv("TMPDIR");
    // A file in memory where the system has such a folder: one is written per input.
    std::filesystem::path dir = folder != nullptr ? folder : std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    return dir / ("aircraft_cfg_fuzz_" + std::to_string(::getpid())) / "aircraft.cfg";
  }();
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ScanReports reports;
  static const TitleSet dontUse{"Unwanted"};
  static CfgScanContext context{fuzz::fuzzDatabase(), dontUse, reports,
                                [](const std::filesystem::path&, std::string_view name) { return name.size() % 7 != 3; }};
  reports.clear();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  size_t start = 0;
  while (start <= bytes.size()) {
    const size_t end = bytes.find('\n', start);
    checkMatcherAgainstPattern(bytes.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  std::filesystem::create_directories(inputFile().parent_path());
  std::ofstream(inputFile(), std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(size));
  for (const LiveryData& livery : lf_searchLiveriesinFile(inputFile(), 1, context)) {
    require(!livery.title.empty() && livery.title.front() != ' ' && livery.title.back() != ' ');
    require(fuzz::fuzzDatabase().validAcType(livery.type));
    require(!livery.airline.empty());
    require(livery.atcId.size() <= 12 && livery.atcId.find('*') == std::string::npos);
    require(livery.airline != "ZZZ" || livery.atcId.empty());
    require(livery.title != "Unwanted");
  }
  return 0;
}
