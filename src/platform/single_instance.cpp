#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

#include "platform/known_folders.h"

namespace tfx::platform {
namespace {

// "Local\$Name$" becomes "Local_$Name$.lock": a backslash has no place in a file name.
std::string lockFileName(std::string_view mutexName) {
  std::string name(mutexName);
  for (char& c : name) {
    if (c == '\\' || c == '/') c = '_';
  }
  return name + ".lock";
}

}  // namespace

SingleInstance::SingleInstance(std::string_view mutexName)
    : lockFile_(runtimeFolder() / lockFileName(mutexName)) {
  int fd = ::open(lockFile_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return;
  }
  fd_ = fd;
}

SingleInstance::~SingleInstance() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace tfx::platform
