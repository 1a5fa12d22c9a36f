#pragma once
// The stand-in's record of what it received: time-stamped lines in a file,
// written by the sending loop and the control client alike.
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string_view>

namespace feedstandin {

class EventLog {
 public:
  // No file: nothing is recorded.
  explicit EventLog(const std::filesystem::path& file);
  // "2024-12-05T17:22:58.123Z text"
  void record(std::string_view text);

 private:
  std::mutex lock_;
  std::ofstream stream_;
};

}  // namespace feedstandin
