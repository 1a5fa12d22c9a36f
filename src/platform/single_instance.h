#pragma once
// One running copy per user session: an exclusive lock on a file named after
// the program's mutex name, held for the life of the object.
#include <filesystem>
#include <string_view>

namespace tfx::platform {

class SingleInstance {
 public:
  explicit SingleInstance(std::string_view mutexName);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when another process holds the lock already.
  bool alreadyRunning() const { return fd_ < 0; }
  const std::filesystem::path& lockFile() const { return lockFile_; }

 private:
  std::filesystem::path lockFile_;
  int fd_ = -1;
};

}  // namespace tfx::platform
