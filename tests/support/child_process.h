#pragma once
// A program started by a test: its own current folder and environment, its
// output in a file, stopped by a signal and waited for with a deadline.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tfx::test {

class ChildProcess {
 public:
  struct Options {
    std::filesystem::path workingDirectory;
    std::map<std::string, std::string> environment;  // added to (or replacing in) the test's own
    std::filesystem::path outputFile;                // stdout and stderr; /dev/null when empty
  };

  ChildProcess(const std::vector<std::string>& argv, const Options& options);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  bool running();
  void signal(int signalNumber);
  // The exit code (128 + signal for a killed process), or nullopt on timeout.
  std::optional<int> wait(std::chrono::milliseconds timeout);

 private:
  pid_t pid_ = -1;
  std::optional<int> exitCode_;
};

// Runs a program to its end and returns its exit code (-1 when it had to be killed).
int runToEnd(const std::vector<std::string>& argv, const ChildProcess::Options& options,
             std::chrono::milliseconds timeout = std::chrono::seconds(60));

// Polls the condition until it holds or the deadline passes.
template <typename Condition>
bool eventually(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace tfx::test

#include <thread>

template <typename Condition>
bool tfx::test::eventually(Condition condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}
