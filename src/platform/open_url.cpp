#include "platform/open_url.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace tfx::platform {

bool openUrl(const std::string& url) {
  // The shell puts the opener in the background and ends at once, so the
  // program waits for nothing and leaves no child behind.
  const char* script = "xdg-open \"$1\" >/dev/null 2>&1 &";
  std::string name = "sh";
  std::string option = "-c";
  std::string scriptText = script;
  std::string argument0 = "open-url";
  std::string address = url;
  char* arguments[] = {name.data(), option.data(), scriptText.data(), argument0.data(), address.data(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, "sh", nullptr, nullptr, arguments, environ) != 0) return false;
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace tfx::platform
