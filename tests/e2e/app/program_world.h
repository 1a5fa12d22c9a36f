#pragma once
// A world for the program binary: its install folder, a per-user folder where
// RealTraffic counts as installed, a simulator folder, and the two stand-ins.
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "child_process.h"
#include "feed_ports_lock.h"
#include "test_support.h"

namespace tfx::test {

class ProgramWorld {
 public:
  // The simulator folder names the major version ("Prepar3D v5").
  explicit ProgramWorld(int simulatorVersion = 5);
  ~ProgramWorld();

  // The stand-ins and the program, each with extra options.
  void startSimulator(const std::vector<std::string>& options = {});
  void startFeed(const std::vector<std::string>& options = {});
  void startProgram();
  // Ends the feed stand-in as a RealTraffic that is closed.
  void stopFeed();

  // The program's log as it is now.
  std::string log() const;
  // Waits until the log holds the text (true) or the time is up.
  bool logShows(std::string_view text, std::chrono::seconds timeout = std::chrono::seconds(30)) const;
  size_t logCount(std::string_view text) const;
  // The program's exit code once it ended by itself within the time.
  std::optional<int> programExit(std::chrono::seconds timeout);
  // Closes the program as the close button does and returns its exit code.
  int closeProgram();
  // The main loop's pace from its closing line "Main loop: {} cycles in {} s".
  std::optional<double> mainLoopCyclesPerSecond() const;
  std::string feedLog() const;
  // How many messages the simulator stand-in received whose line holds the text.
  size_t simulatorMessageCount(std::string_view text) const;
  std::optional<std::string> storedSetting(const std::string& name) const;
  // Sets one setting in parameters.xml before the program starts.
  void storeSetting(const std::string& name, const std::string& value);

  // The roaming application-data and program-data folders the program sees.
  const std::filesystem::path& appData() const { return config_; }
  std::filesystem::path programData() const { return root_ / "programdata"; }
  const std::filesystem::path& root() const { return root_.path(); }

  const std::filesystem::path& install() const { return install_; }

 private:
  // First in, last out: the lock outlives the program and the stand-ins.
  FeedPortsLock portsLock_;
  TempDir root_;
  std::filesystem::path install_;
  std::filesystem::path config_;
  std::filesystem::path runtime_;
  uint16_t controlPort_ = 0;
  std::unique_ptr<test::ChildProcess> simulator_;
  std::unique_ptr<test::ChildProcess> feed_;
  std::unique_ptr<test::ChildProcess> program_;
};

// The rows of the simulator stand-in's trace (time;objectId;title;lat;lon;...)
// below its heading, split at ';'; rows of fewer than ten fields are left out.
std::vector<std::vector<std::string>> simulatorTraceRows(const std::string& trace);

// The datagrams the Zurich recording plays from fromMs up to toMs, as
// "OFFSET_MS DATAGRAM" lines by offset, moved to play from startsAtMs on.
std::multimap<long, std::string> zurichRecordingPart(long fromMs, long toMs, long startsAtMs);

}  // namespace tfx::test
