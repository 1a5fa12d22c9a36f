// aeroshadow-tool dbase [--enc FILE] QUERY ARG: asks the shipped aircraft
// database one question through the program's own reader and prints the
// answer as one JSON object.
#include <fmt/format.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "aircraft/aircraft_queries.h"
#include "aircraft/read_dbase.h"
#include "command.h"
#include "install_folder.h"
#include "core/folders.h"
#include "core/log.h"
#include "platform/program_path.h"

namespace tfx::tool {
namespace {

namespace fs = std::filesystem;

// The installed database: input/dbase.enc of the current folder, else of the
// folder the tool is installed in.
fs::path installedDatabase() {
  if (fs::exists(paths::dbaseEnc)) return paths::dbaseEnc;
  return platform::runningProgramPath().parent_path() / paths::dbaseEnc;
}

nlohmann::ordered_json answer(std::string_view query, const std::string& argument) {
  if (query == "type") {
    const AircraftCategory category = gf_acCategory(argument);
    return {{"type", argument},
            {"valid", gf_validAcType(argument)},
            {"category", static_cast<int>(category)},
            {"categoryName", categoryName(category)},
            {"halfWingspanNm", gf_halfWingspan(argument)}};
  }
  if (query == "reg") {
    const std::optional<RegcodeRecord> record = gf_findRegcode(argument);
    const RegcodeRecord found = record.value_or(RegcodeRecord{});
    return {{"reg", argument},           {"found", record.has_value()}, {"airline", found.airline},
            {"type", found.type},        {"operator", found.operatorName}, {"cargo", found.cargo}};
  }
  if (query == "airline") return {{"airline", argument}, {"valid", gf_validAirline(argument)}};
  if (query == "publisher") return {{"file", argument}, {"publisher", gf_publisherFromFilename(argument)}};
  throw std::runtime_error(fmt::format("unknown query '{}' (type, reg, airline, publisher)", query));
}

int run(CommandArguments arguments) {
  std::vector<std::string_view> rest(arguments.begin(), arguments.end());
  fs::path database = installedDatabase();
  if (rest.size() >= 2 && rest[0] == "--enc") {
    database = fs::path(rest[1]);
    rest.erase(rest.begin(), rest.begin() + 2);
  }
  if (rest.size() != 2) throw std::runtime_error("expected [--enc FILE] QUERY ARG");

  LogCapture log;
  try {
    gf_readDbase(database, temporaryPlainFile("aeroshadow-dbase"));
  } catch (const std::exception&) {
    for (const std::string& line : log.lines()) fmt::print(stderr, "{}\n", line);
    throw;
  }
  fmt::print("{}\n", answer(rest[0], std::string(rest[1])).dump());
  return 0;
}

const Command command{"dbase", "[--enc FILE] QUERY ARG",
                      "answer one question of the aircraft database as JSON: type CODE, reg REG, airline CODE, "
                      "publisher FILENAME",
                      run};

}  // namespace
}  // namespace tfx::tool
