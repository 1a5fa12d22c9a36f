// aeroshadow-tool regcodes --install DIR [--reg R]: the matching set-up on
// the saved liveries, then the registration codes it tied, or the one of R.
#include <fmt/format.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "aircraft/livery_catalogue.h"
#include "aircraft/regcode_set_up.h"
#include "command.h"
#include "core/folders.h"
#include "core/log.h"
#include "install_folder.h"
#include "tool_options.h"

namespace tfx::tool {
namespace {

using nlohmann::ordered_json;

template <typename Texts>
ordered_json sortedList(const Texts& texts) {
  std::vector<std::string> sorted(texts.begin(), texts.end());
  std::sort(sorted.begin(), sorted.end());
  return sorted;
}

int run(CommandArguments arguments) {
  const ToolOptions options(arguments, {"--install", "--reg"}, {});
  LogCapture log;
  enterInstallFolder(options.required("--install"));
  const TitleSet dontUse = readDontUseTitles();
  LiveryCatalogue catalogue(aircraftDatabase());
  lf_processScannedLiveries(catalogue, paths::liveriesScanned);
  const LiveryTables& tables = catalogue.tables;
  if (const std::optional<std::string> registration = options.value("--reg")) {
    const std::string_view title = tables.specialLivery(*registration);
    fmt::print("{}\n", jsonText({{"reg", *registration},
                                 {"title", title.empty() ? ordered_json() : ordered_json(std::string(title))},
                                 {"special", tables.specialRegistrations().contains(*registration)}}));
    return 0;
  }
  ordered_json regcodes = ordered_json::object();
  std::vector<std::pair<std::string, std::string_view>> ties(tables.specialLiveries().begin(),
                                                             tables.specialLiveries().end());
  std::sort(ties.begin(), ties.end());
  for (const auto& [registration, title] : ties) regcodes[registration] = std::string(title);
  ordered_json specialTitles = ordered_json::array();
  for (std::string_view title : tables.specialTitles()) specialTitles.push_back(std::string(title));
  fmt::print("{}\n", jsonText({{"liveries", tables.liveryCount()},
                               {"regcodes", std::move(regcodes)},
                               {"specialTitles", std::move(specialTitles)},
                               {"specialRegistrations", sortedList(tables.specialRegistrations())},
                               {"dontUseTitles", sortedList(dontUse)},
                               {"inlineClashes", catalogue.inlineClashes}}));
  return 0;
}

const Command command{"regcodes", "--install DIR [--reg R]",
                      "the registration codes tied to the saved liveries (in-line, AIG list, user files) as JSON, or "
                      "the livery of one registration",
                      run};

}  // namespace
}  // namespace tfx::tool
