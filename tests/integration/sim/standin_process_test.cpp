// The stand-in as the program it is: started as a process, reached by our
// client and by an independent client (node-simconnect).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "eventually.h"
#include "inbox.h"
#include "child_process.h"
#include "test_support.h"

namespace tfx::simconnect {
namespace {

namespace fs = std::filesystem;

// Runs the stand-in in the background of the test; it ends by itself when its
// single client leaves (or at its quit time, should the client never come).
class StandinProcess {
 public:
  StandinProcess(const fs::path& folder, std::vector<std::string> extraOptions)
      : portFile_(folder / "port"), process_(SIMSTANDIN_BINARY, options(folder, std::move(extraOptions)),
                                             {.standardOutput = folder / "standin.out"}) {}

  // 0 when the port did not appear in time.
  uint16_t port() {
    tfx::test::eventually([&] { return fs::exists(portFile_); }, std::chrono::seconds(15));
    return fs::exists(portFile_) ? static_cast<uint16_t>(std::stoi(tfx::test::readFile(portFile_))) : 0;
  }
  int wait() { return process_.waitFor(std::chrono::seconds(70)).value_or(-1); }

 private:
  std::vector<std::string> options(const fs::path& folder, std::vector<std::string> extra) const {
    tfx::test::writeFile(folder / "titles.txt", "# installed\nBoeing 737-800 Test Livery\n");
    std::vector<std::string> all = {"--port=0", "--single-client", "--quit-at=60", "--port-file=" + portFile_.string(),
                                    "--titles=" + (folder / "titles.txt").string(),
                                    "--message-log=" + (folder / "messages.txt").string()};
    all.insert(all.end(), extra.begin(), extra.end());
    return all;
  }

  fs::path portFile_;
  tfx::test::ChildProcess process_;
};

TEST(StandinProcess, AnswersOurClientAndLogsEveryMessage) {
  tfx::test::TempDir folder;
  StandinProcess standin(folder.path(), {"--simulator=v6", "--parked=51.4775,-0.4614,270"});
  SimConnectConfig config;
  config.port = standin.port();
  ASSERT_NE(config.port, 0);
  {
    SimConnectClient client;
    ASSERT_EQ(client.open("Aeroshadow_P3D", config), 0);
    client.subscribeToSystemEvent(201, "Sim");
    test::Inbox inbox;
    ASSERT_TRUE(inbox.pump(client, [&] { return !inbox.all<OpenMessage>().empty() && !inbox.all<EventMessage>().empty(); }));
    EXPECT_EQ(inbox.all<OpenMessage>().front().applicationName, "Lockheed Martin\xAE Prepar3D\xAE v6");
  }
  EXPECT_EQ(standin.wait(), 0);
  const std::string log = tfx::test::readFile(folder / "messages.txt");
  EXPECT_NE(log.find("id=0xF0000001 size=296 sendId=1"), std::string::npos) << log;
  EXPECT_NE(log.find("id=0xF0000017 size=276 sendId=2"), std::string::npos) << log;
}

fs::path nodeModules() {
  if (const char* peers = std::getenv("AEROSHADOW_TEST_PEERS")) return fs::path(peers) / "node_modules";
  if (const char* cache = std::getenv("XDG_CACHE_HOME")) return fs::path(cache) / "aeroshadow-test-peers/node_modules";
  const char* home = std::getenv("HOME");
  return fs::path(home ? home : "/nonexistent") / ".cache/aeroshadow-test-peers/node_modules";
}

TEST(StandinProcess, SpeaksTheProtocolOfAnIndependentClient) {
  const fs::path modules = nodeModules();
  if (tfx::test::ChildProcess("/usr/bin/env", {"node", "--version"}).waitFor(std::chrono::seconds(20)) != 0 ||
      !fs::exists(modules / "node-simconnect/package.json"))
    GTEST_SKIP() << "node or node-simconnect missing (scripts/test-peers.sh installs it into " << modules << ")";
  tfx::test::TempDir folder;
  StandinProcess standin(folder.path(), {"--parked=47.5,8.5,90"});
  const uint16_t port = standin.port();
  ASSERT_NE(port, 0);
  tfx::test::ChildProcess peer("/usr/bin/env",
                              {"node", std::string(PEER_SCRIPTS) + "/standin_peer.js", modules.string(),
                               std::to_string(port), "47.5", "8.5", "Boeing 737-800 Test Livery", "No Such Aircraft"},
                              {.standardOutput = folder / "peer.out", .standardError = folder / "peer.err"});
  EXPECT_EQ(peer.waitFor(std::chrono::seconds(60)), 0) << tfx::test::readFile(folder / "peer.err");
  EXPECT_EQ(standin.wait(), 0);
  const std::string out = tfx::test::readFile(folder / "peer.out");
  for (const char* step : {"OK open", "OK sim", "OK position", "OK assigned", "OK added", "OK refused"})
    EXPECT_NE(out.find(step), std::string::npos) << step;
}

}  // namespace
}  // namespace tfx::simconnect
