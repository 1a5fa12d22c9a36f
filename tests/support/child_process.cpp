#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <thread>

#include "eventually.h"

extern char** environ;

namespace tfx::test {
namespace {

class SpawnActions {
 public:
  SpawnActions() { posix_spawn_file_actions_init(&actions_); }
  ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;

  void redirect(int descriptor, const std::filesystem::path& file, int flags) {
    if (file.empty()) return;
    posix_spawn_file_actions_addopen(&actions_, descriptor, file.c_str(), flags, 0644);
  }
  void changeDirectory(const std::filesystem::path& folder) {
    if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions_, folder.c_str());
  }
  const posix_spawn_file_actions_t* get() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

// The caller's environment with the given variables set or replaced.
std::vector<std::string> mergedEnvironment(const std::map<std::string, std::string>& overrides) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    if (!overrides.contains(text.substr(0, text.find('=')))) entries.push_back(text);
  }
  for (const auto& [name, value] : overrides) entries.push_back(name + "=" + value);
  return entries;
}

std::vector<char*> pointersTo(std::vector<std::string>& words) {
  std::vector<char*> pointers;
  for (std::string& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);
  return pointers;
}

int exitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                           const ChildProcessOptions& options) {
  SpawnActions actions;
  actions.redirect(STDIN_FILENO, options.standardInput, O_RDONLY);
  actions.redirect(STDOUT_FILENO, options.standardOutput, O_WRONLY | O_CREAT | O_TRUNC);
  actions.redirect(STDERR_FILENO, options.standardError, O_WRONLY | O_CREAT | O_TRUNC);
  actions.changeDirectory(options.workingDirectory);

  std::vector<std::string> words{program.string()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv = pointersTo(words);
  std::vector<std::string> variables = mergedEnvironment(options.environment);
  std::vector<char*> envp = pointersTo(variables);

  const int result = posix_spawn(&pid_, words.front().c_str(), actions.get(), nullptr, argv.data(), envp.data());
  if (result != 0) throw std::system_error(result, std::generic_category(), "posix_spawn " + program.string());
}

ChildProcess::~ChildProcess() {
  if (exitCode_) return;
  terminate();
  if (!waitFor(std::chrono::seconds(5))) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
}

std::optional<int> ChildProcess::waitFor(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout * kSanitizerSlowdown;
  while (!exitCode_) {
    int status = 0;
    const pid_t ended = ::waitpid(pid_, &status, WNOHANG);
    if (ended == pid_) {
      exitCode_ = exitCodeOf(status);
    } else if (ended < 0 && errno != EINTR) {
      exitCode_ = -1;
    } else if (std::chrono::steady_clock::now() >= deadline) {
      break;
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  return exitCode_;
}

void ChildProcess::terminate() {
  if (!exitCode_) ::kill(pid_, SIGTERM);
}

}  // namespace tfx::test
