// aeroshadow-tool web-request --params FILE [--install DIR] [--port N] REQUEST...:
// raw HTTP request files run through the web window's API and the window's
// handlers, on a window built from FILE; what the handlers save goes into FILE.
#include <fmt/format.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>

#include "airports/airport_database.h"
#include "command.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "install_folder.h"
#include "tool_options.h"
#include "ui/window_commands.h"
#include "webwindow/inline_window_port.h"
#include "webwindow/raw_request.h"

namespace tfx::tool {
namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;

// The program saves into its data folder; here that is a private folder whose
// parameters.xml starts as FILE and goes back into it after every request.
class ParametersInPlace {
 public:
  explicit ParametersInPlace(const fs::path& file) : file_(fs::absolute(file)) {
    std::string pattern = (fs::temp_directory_path() / "web-request-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    folder_ = pattern;
    setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    fs::create_directories(dataFolder());
    if (fs::exists(file_)) fs::copy_file(file_, parametersFile(), fs::copy_options::overwrite_existing);
  }
  ~ParametersInPlace() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  void writeBack() const {
    if (fs::exists(parametersFile())) fs::copy_file(parametersFile(), file_, fs::copy_options::overwrite_existing);
  }

 private:
  fs::path file_;
  fs::path folder_;
};

ordered_json bodyJson(const webwindow::WebResponse& response) {
  if (response.contentType != "application/json") return response.body;
  ordered_json parsed = ordered_json::parse(response.body, nullptr, false);
  return parsed.is_discarded() ? ordered_json(response.body) : parsed;
}

int run(CommandArguments arguments) {
  // The request files are the arguments that are no option and no option's value.
  const std::set<std::string_view> valued{"--params", "--install", "--port"};
  std::vector<std::string_view> optionArguments;
  std::vector<std::string> requests;
  for (size_t index = 0; index < arguments.size(); ++index) {
    if (valued.contains(arguments[index]) && index + 1 < arguments.size()) {
      optionArguments.push_back(arguments[index]);
      optionArguments.push_back(arguments[++index]);
    } else if (arguments[index].starts_with("--")) {
      optionArguments.push_back(arguments[index]);
    } else {
      requests.emplace_back(arguments[index]);
    }
  }
  const ToolOptions options(optionArguments, valued, {});
  if (requests.empty()) throw UsageError("give at least one request file");
  const long long port = options.number("--port").value_or(10750);
  if (port < 1 || port > 65535) throw UsageError("--port needs a port number");
  LogCapture log;
  ParametersInPlace parameters(options.required("--params"));
  if (const auto install = options.value("--install")) {
    fs::current_path(*install);
    airports::gf_readAirports(paths::airportDatabase.filename());
  }
  ui::WindowModel model;
  setControlView(&model);
  setWindowSurface(&model);
  readParameters();
  ui::createWindowControls(model);
  model.setEnabled(ALL_INSTALL_PATH.controlPlace()->id, true);
  model.setEnabled(kRereadButton.place.id, true);
  ui::WindowRequests windowRequests;
  ui::TrafficPictureBuffer picture;
  ui::WindowContext context{model, windowRequests, picture, [](uint32_t) {}};
  webwindow::InlineWindowPort window(context);
  webwindow::WebApi api(model, picture, window, false);
  api.setPort(static_cast<uint16_t>(port));
  int result = 0;
  for (const std::string& file : requests) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
      fmt::print(stderr, "aeroshadow-tool web-request: cannot read {}\n", file);
      result = 1;
      continue;
    }
    const std::string raw{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    const webwindow::WebResponse response = webwindow::handleRawRequest(api, raw);
    parameters.writeBack();
    const std::string error = messageLine().error();
    fmt::print("{}\n", jsonText({{"status", response.status},
                                 {"body", bodyJson(response)},
                                 {"message", model.stripText()},
                                 {"error", error.empty() ? ordered_json() : ordered_json(error)}}));
  }
  setWindowSurface(nullptr);
  setControlView(nullptr);
  return result;
}

const Command command{"web-request", "--params FILE [--install DIR] [--port N] REQUEST...",
                      "raw HTTP requests through the web window's API and handlers, on a window built from FILE "
                      "(changes are saved into it); one JSON answer per request",
                      run};

}  // namespace
}  // namespace tfx::tool
