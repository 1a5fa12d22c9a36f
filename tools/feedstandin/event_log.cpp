#include "event_log.h"

#include <fmt/chrono.h>
#include <fmt/format.h>

#include <chrono>
#include <stdexcept>

namespace feedstandin {

EventLog::EventLog(const std::filesystem::path& file) {
  if (file.empty()) return;
  stream_.open(file, std::ios::out | std::ios::trunc);
  if (!stream_) throw std::runtime_error(fmt::format("cannot write {}", file.string()));
}

void EventLog::record(std::string_view text) {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const auto milliseconds = duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::lock_guard guard(lock_);
  if (!stream_.is_open()) return;
  stream_ << fmt::format("{:%Y-%m-%dT%H:%M:%S}.{:03}Z {}\n", fmt::gmtime(system_clock::to_time_t(now)), milliseconds,
                         text);
  stream_.flush();
}

}  // namespace feedstandin
