// aeroshadow-tool flightplan: writes or removes AI flight plan files in the
// per-user data folder as the program does.
#include <fmt/format.h>

#include <charconv>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "command.h"
#include "core/folders.h"
#include "flightplan/flight_plan_file.h"

namespace tfx::tool {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kUsage = "usage: aeroshadow-tool flightplan write HEXID CATEGORY ORIGIN DESTINATION\n"
                                    "       aeroshadow-tool flightplan remove\n";

template <typename T>
bool parseNumber(std::string_view text, T& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size();
}

int write(CommandArguments arguments) {
  std::uint32_t hexid = 0;
  int category = 0;
  if (arguments.size() != 4 || !parseNumber(arguments[0], hexid) || !parseNumber(arguments[1], category)) {
    fmt::print(stderr, "{}", kUsage);
    return 2;
  }
  if (!flightplan::gf_makeFlightPlanFolder()) {
    fmt::print(stderr, "cannot create {}\n", origDestFolder().string());
    return 1;
  }
  const std::filesystem::path path = std::filesystem::absolute(flightplan::gf_flightPlanPath(hexid));
  const bool written = flightplan::gf_writeFlightPlan(path, category, arguments[2], arguments[3]);
  fmt::print("{}\n", Json{{"path", path.string()}, {"written", written}, {"rules", flightplan::flightRules(category)}}.dump());
  return written ? 0 : 1;
}

int remove() {
  std::error_code error;
  const bool existed = std::filesystem::exists(origDestFolder(), error);
  flightplan::gf_removeFlightPlanFolder();
  const bool removed = !std::filesystem::exists(origDestFolder(), error);
  fmt::print("{}\n", Json{{"existed", existed}, {"removed", existed && removed}}.dump());
  return removed ? 0 : 1;
}

int run(CommandArguments arguments) {
  if (!arguments.empty() && arguments[0] == "write") return write(arguments.subspan(1));
  if (arguments.size() == 1 && arguments[0] == "remove") return remove();
  fmt::print(stderr, "{}", kUsage);
  return 2;
}

const Command command{"flightplan", "write HEXID CATEGORY ORIGIN DESTINATION | remove",
                      "write an AI flight plan file, or remove the flight-plan folder, as JSON", run};

}  // namespace
}  // namespace tfx::tool
