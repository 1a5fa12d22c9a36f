#include "scan/scan_log.h"

#include <fmt/format.h>

#include "core/log.h"

namespace tfx::scan {

void ScanLog::line(std::string_view text) {
  if (toMainLog_) writeLog(text);
  const std::lock_guard guard(lock_);
  lines_.emplace_back(text);
}

void ScanLog::error(std::string_view text) { line(fmt::format("{}{}", kErrorPrefix, text)); }

std::vector<std::string> ScanLog::lines() const {
  const std::lock_guard guard(lock_);
  return lines_;
}

}  // namespace tfx::scan
