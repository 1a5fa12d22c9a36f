#pragma once
// Starts another program and waits for it: the stand-ins and tools are run
// this way by tests and helpers.
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tfx::test {

struct ChildProcessOptions {
  // Standard input read from this file; inherited when empty.
  std::filesystem::path standardInput{};
  // Standard output and error written (truncated) to these files; inherited when empty.
  std::filesystem::path standardOutput{};
  std::filesystem::path standardError{};
  // The program's current folder; the caller's when empty.
  std::filesystem::path workingDirectory{};
  // Variables set (or replaced) in the caller's environment for the program.
  std::map<std::string, std::string> environment{};
};

class ChildProcess {
 public:
  // Starts the program with the arguments; throws std::system_error when it cannot.
  ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const ChildProcessOptions& options = {});
  // A child still running is terminated and reaped.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The exit code once the program has ended within the time (a program ended
  // by a signal gives 128 + the signal number); nullopt while it still runs.
  std::optional<int> waitFor(std::chrono::milliseconds timeout);
  bool running() { return !waitFor(std::chrono::milliseconds(0)); }
  // Asks the program to end (SIGTERM), as the close button would.
  void terminate();

 private:
  int pid_ = -1;
  std::optional<int> exitCode_;
};

}  // namespace tfx::test
