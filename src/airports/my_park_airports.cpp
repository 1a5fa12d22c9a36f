#include "airports/my_park_airports.h"

#include <fmt/format.h>

#include <algorithm>
#include <filesystem>
#include <unordered_set>

#include "core/folders.h"
#include "core/log.h"
#include "core/message_line.h"
#include "core/report_file.h"
#include "core/text_files.h"
#include "core/xml_values.h"

namespace tfx::airports {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFileName = "my_park_airports.txt";

const char* plural(size_t count) { return count == 1 ? "" : "s"; }

// The airport code of a line; empty for a blank line.
std::string firstField(std::string_view line) {
  std::vector<std::string> fields = splitListAttribute(line);
  return fields.empty() ? std::string() : std::move(fields.front());
}

bool listed(const ParkAirportList& list, std::string_view code) {
  return std::any_of(list.begin(), list.end(), [&](const ParkAirportEntry& entry) { return entry.code == code; });
}

void readListFile(const AirportDatabase& database, ParkAirportList& list) {
  std::vector<std::string> lines;
  if (!fs::exists(paths::myParkAirports) || !gf_readExtTextFileToStringVector(paths::myParkAirports, lines)) {
    writeLog(fmt::format("{} not found", paths::myParkAirports.string()));
    return;
  }
  for (const std::string& line : lines) {
    const std::vector<std::string> fields = splitListAttribute(line);
    if (fields.empty() || (fields.size() == 1 && fields.front().empty())) continue;
    if (fields.size() > 2) {
      writeLogError(fmt::format("{}:{} wrong syntax, skipped", kFileName, line));
      continue;
    }
    const std::string& code = fields.front();
    if (listed(list, code)) {
      writeLogError(fmt::format("{}:{} double, skipped", kFileName, code));
      continue;
    }
    const Airport* airport = findAirport(database, code);
    if (airport == nullptr) {
      showMessage(fmt::format("airport {} is unknown", code));
      continue;
    }
    list.push_back({.code = code, .stand = fields.size() == 2 ? fields[1] : std::string(), .lat = airport->lat,
                    .lon = airport->lon});
  }
  if (list.empty()) return;
  writeLog(fmt::format("{} park airport{} read from '{}'", list.size(), plural(list.size()),
                       paths::myParkAirports.string()));
  if (list.size() > kManyParkAirports) {
    showMessage(fmt::format(
        "Warning: There are a lot of airports ({}), that will cost ASHD much cpu time and may cause stutters",
        list.size()));
  }
}

void addThirdpartyAirports(const AirportDatabase& database, ParkAirportList& list) {
  if (!fs::is_directory(paths::myThirdparty)) return;
  size_t added = 0;
  for (const fs::directory_entry& file : fs::directory_iterator(paths::myThirdparty)) {
    const std::string code = file.path().stem().string();
    const Airport* airport = findAirport(database, code);
    if (airport == nullptr || listed(list, code)) continue;
    list.push_back({.code = code, .stand = {}, .lat = airport->lat, .lon = airport->lon});
    ++added;
  }
  writeLog(fmt::format("{} park airport{} added from my_thirdparty folder(-s)", added, plural(added)));
}

}  // namespace

bool lf_readMyParkAirports(const AirportDatabase& database, ParkAirportList& list) {
  list.clear();
  readListFile(database, list);
  try {
    addThirdpartyAirports(database, list);
  } catch (const fs::filesystem_error& error) {
    showError(error.what());
    return false;
  }
  return true;
}

void lf_updateMyParkAirports(std::string_view code, std::string_view stand) {
  const std::string line = stand.empty() ? std::string(code) : fmt::format("{},{}", code, stand);
  std::vector<std::string> lines;
  if (!fs::exists(paths::myParkAirports)) {
    writeReportLines(paths::myParkAirports, {line});
    writeLog(fmt::format("{} created with {}", paths::myParkAirports.string(), line));
    return;
  }
  gf_readExtTextFileToStringVector(paths::myParkAirports, lines);
  // A line ending in carriage returns (a stray one before a CR LF) would be
  // read back without its last one: the file would no longer read as sorted
  // and could hold one line twice. The entry's fields are trimmed anyway.
  for (std::string& kept : lines) {
    while (kept.ends_with('\r')) kept.pop_back();
  }
  std::erase_if(lines, [](const std::string& kept) { return firstField(kept).empty(); });
  const auto own =
      std::find_if(lines.begin(), lines.end(), [&](const std::string& kept) { return firstField(kept) == code; });
  if (own != lines.end()) {
    *own = line;
    writeLog(fmt::format("{}:{} updated stand", kFileName, line));
  } else {
    lines.push_back(line);
    writeLog(fmt::format("{}:{} new entry", kFileName, line));
  }
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  writeReportLines(paths::myParkAirports, lines);
}

}  // namespace tfx::airports
