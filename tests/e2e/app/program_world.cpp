#include "program_world.h"

#include <pugixml.hpp>

#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "eventually.h"
#include "installed_liveries.h"
#include "platform/tcp_socket.h"

namespace tfx::test {
namespace fs = std::filesystem;

namespace {

uint16_t freeTcpPort() {
  platform::TcpListener listener;
  if (listener.create() != 0 || listener.bind(0, true) != 0) throw std::runtime_error("no free port");
  return listener.port();
}

}  // namespace

ProgramWorld::ProgramWorld(int simulatorVersion)
    : install_(root_ / "install"), config_(root_ / "config"), runtime_(root_ / "run"), controlPort_(freeTcpPort()) {
  fs::create_directories(install_ / "docs");
  fs::create_directories(install_ / "input");
  for (const char* shipped : {"dbase.enc", "AIG-regcodes.enc", "airports_p3d.xml"}) {
    fs::copy_file(binaryDir() / "input" / shipped, install_ / "input" / shipped);
  }
  fs::create_directories(runtime_);
  writeFile(config_ / "InsideSystems" / "RealTraffic.jar", "");
  installAddOnLiveries(config_, root_ / "addons" / "Test_AI");
  const fs::path simulator = root_ / ("Prepar3D v" + std::to_string(simulatorVersion));
  fs::create_directories(simulator / "Scenery");
  writeFile(config_ / "Aeroshadow_P3D" / "parameters.xml",
            "<parameters><parameter name=\"SIM_INSTALL_PATH\" value=\"" + simulator.string() +
                "\"/><parameter name=\"PORT_NUMBER\" value=\"" + std::to_string(controlPort_) +
                "\"/><parameter name=\"WEB_WINDOW_PORT\" value=\"0\"/><parameter name=\"WEB_WINDOW_OPEN\" "
                "value=\"false\"/></parameters>");
}

ProgramWorld::~ProgramWorld() {
  if (program_ && program_->running()) closeProgram();
}

void ProgramWorld::startSimulator(const std::vector<std::string>& options) {
  const fs::path portFile = root_ / "simulator.port";
  std::vector<std::string> arguments = {"--port=0", "--port-file=" + portFile.string(),
                                        "--parked=47.462079,8.550912,155", "--ground-elevation=1416",
                                        "--trace=" + (root_ / "trace.txt").string(),
                                        "--message-log=" + (root_ / "messages.txt").string()};
  arguments.insert(arguments.end(), options.begin(), options.end());
  simulator_ = std::make_unique<test::ChildProcess>(TFX_SIMSTANDIN, arguments,
                                                        test::ChildProcessOptions{.standardOutput = root_ / "sim.out"});
  if (!eventually([&] { return fs::exists(portFile) && !readFile(portFile).empty(); })) {
    throw std::runtime_error("the simulator stand-in did not start");
  }
  writeFile(install_ / "SimConnect.cfg",
            "[SimConnect]\nProtocol=IPv4\nAddress=127.0.0.1\nPort=" + readFile(portFile) + "\n");
}

void ProgramWorld::startFeed(const std::vector<std::string>& options) {
  std::vector<std::string> arguments = {"--control-port", std::to_string(controlPort_), "--log",
                                        (root_ / "feed.log").string()};
  arguments.insert(arguments.end(), options.begin(), options.end());
  feed_ = std::make_unique<test::ChildProcess>(TFX_FEEDSTANDIN, arguments,
                                                   test::ChildProcessOptions{.standardOutput = root_ / "feed.out"});
}

void ProgramWorld::startProgram() {
  program_ = std::make_unique<test::ChildProcess>(
      TFX_PROGRAM, std::vector<std::string>{},
      test::ChildProcessOptions{.standardOutput = root_ / "program.out",
                                    .standardError = root_ / "program.err",
                                    .workingDirectory = install_,
                                    .environment = {{"XDG_CONFIG_HOME", config_.string()},
                                                    {"XDG_DATA_HOME", programData().string()},
                                                    {"XDG_RUNTIME_DIR", runtime_.string()}}});
}

void ProgramWorld::stopFeed() {
  feed_->terminate();
  feed_->waitFor(std::chrono::seconds(30));
}

std::string ProgramWorld::log() const { return readFile(install_ / "Log.txt"); }

std::optional<double> ProgramWorld::mainLoopCyclesPerSecond() const {
  const std::string all = log();
  const size_t figure = all.find("Main loop: ");
  double cycles = 0;
  double seconds = 0;
  if (figure == std::string::npos ||
      std::sscanf(all.c_str() + figure, "Main loop: %lf cycles in %lf s", &cycles, &seconds) != 2 || seconds <= 0) {
    return std::nullopt;
  }
  return cycles / seconds;
}

bool ProgramWorld::logShows(std::string_view text, std::chrono::seconds timeout) const {
  return eventually([&] { return log().find(text) != std::string::npos; }, timeout);
}

namespace {

size_t occurrences(const std::string& all, std::string_view text) {
  size_t count = 0;
  for (size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1)) ++count;
  return count;
}

}  // namespace

size_t ProgramWorld::logCount(std::string_view text) const { return occurrences(log(), text); }

size_t ProgramWorld::simulatorMessageCount(std::string_view text) const {
  return occurrences(readFile(root_ / "messages.txt"), text);
}

std::optional<int> ProgramWorld::programExit(std::chrono::seconds timeout) { return program_->waitFor(timeout); }

int ProgramWorld::closeProgram() {
  program_->terminate();
  return program_->waitFor(std::chrono::seconds(60)).value_or(-1);
}

std::string ProgramWorld::feedLog() const { return readFile(root_ / "feed.log"); }

std::optional<std::string> ProgramWorld::storedSetting(const std::string& name) const {
  pugi::xml_document document;
  document.load_file((config_ / "Aeroshadow_P3D" / "parameters.xml").c_str());
  auto node = document.select_node(("/parameters/parameter[@name='" + name + "']").c_str()).node();
  if (!node) return std::nullopt;
  return std::string(node.attribute("value").as_string());
}

void ProgramWorld::storeSetting(const std::string& name, const std::string& value) {
  const fs::path file = config_ / "Aeroshadow_P3D" / "parameters.xml";
  pugi::xml_document document;
  document.load_file(file.c_str());
  pugi::xml_node parameters = document.child("parameters");
  pugi::xml_node node = parameters.find_child_by_attribute("parameter", "name", name.c_str());
  if (!node) {
    node = parameters.append_child("parameter");
    node.append_attribute("name").set_value(name.c_str());
  }
  if (!node.attribute("value")) node.append_attribute("value");
  node.attribute("value").set_value(value.c_str());
  document.save_file(file.c_str());
}

std::vector<std::vector<std::string>> simulatorTraceRows(const std::string& trace) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(trace);
  std::string line;
  std::getline(lines, line);  // heading
  while (std::getline(lines, line)) {
    std::vector<std::string> fields;
    std::istringstream row(line);
    for (std::string field; std::getline(row, field, ';');) fields.push_back(field);
    if (fields.size() >= 10) rows.push_back(std::move(fields));
  }
  return rows;
}

std::multimap<long, std::string> zurichRecordingPart(long fromMs, long toMs, long startsAtMs) {
  std::multimap<long, std::string> lines;
  std::istringstream zurich(readFile(sourceDir() / "data" / "feed" / "zurich.rec"));
  for (std::string line; std::getline(zurich, line);) {
    if (line.empty() || line.front() == '#') continue;
    const size_t blank = line.find(' ');
    const long offset = std::stol(line.substr(0, blank));
    if (offset < fromMs) continue;
    if (offset >= toMs) break;
    lines.emplace(offset - fromMs + startsAtMs, line.substr(blank + 1));
  }
  return lines;
}

}  // namespace tfx::test
