#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace tfx::test {
namespace {

int decodeStatus(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const Options& options) {
  std::vector<char*> arguments;
  for (const auto& argument : argv) arguments.push_back(const_cast<char*>(argument.c_str()));
  arguments.push_back(nullptr);
  const std::string output = options.outputFile.empty() ? "/dev/null" : options.outputFile.string();

  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    if (!options.workingDirectory.empty() && ::chdir(options.workingDirectory.c_str()) != 0) ::_exit(126);
    for (const auto& [name, value] : options.environment) ::setenv(name.c_str(), value.c_str(), 1);
    const int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd >= 0) {
      ::dup2(fd, STDOUT_FILENO);
      ::dup2(fd, STDERR_FILENO);
      ::close(fd);
    }
    ::execv(arguments[0], arguments.data());
    ::_exit(127);
  }
}

ChildProcess::~ChildProcess() {
  if (running()) {
    signal(SIGKILL);
    wait(std::chrono::seconds(5));
  }
}

bool ChildProcess::running() {
  if (exitCode_ || pid_ <= 0) return false;
  int status = 0;
  if (::waitpid(pid_, &status, WNOHANG) == pid_) {
    exitCode_ = decodeStatus(status);
    return false;
  }
  return true;
}

void ChildProcess::signal(int signalNumber) {
  if (!exitCode_ && pid_ > 0) ::kill(pid_, signalNumber);
}

std::optional<int> ChildProcess::wait(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (running()) {
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return exitCode_;
}

int runToEnd(const std::vector<std::string>& argv, const ChildProcess::Options& options,
             std::chrono::milliseconds timeout) {
  ChildProcess child(argv, options);
  auto code = child.wait(timeout);
  if (!code) {
    child.signal(SIGKILL);
    child.wait(std::chrono::seconds(5));
    return -1;
  }
  return *code;
}

}  // namespace tfx::test
