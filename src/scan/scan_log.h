#pragma once
// The add-on airport scan's own log: every line goes to Log.txt and is kept
// for AirportsScanLog.txt. Worker tasks write to it at the same time.
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace tfx::scan {

class ScanLog {
 public:
  explicit ScanLog(bool toMainLog = true) : toMainLog_(toMainLog) { lines_.reserve(2048); }
  void line(std::string_view text);
  // With the warning prefix.
  void error(std::string_view text);
  std::vector<std::string> lines() const;

 private:
  mutable std::mutex lock_;
  std::vector<std::string> lines_;
  bool toMainLog_;
};

}  // namespace tfx::scan
