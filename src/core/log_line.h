#pragma once
// A log line formatted in a buffer on the stack: the traffic cycle writes its
// detailed log while it runs, and it takes no heap memory for a line that
// fits the buffer's inline room.
#include <fmt/format.h>

#include <iterator>
#include <utility>

#include "core/log.h"

namespace tfx {

template <typename... Args>
void writeLogLine(fmt::format_string<Args...> format, Args&&... args) {
  fmt::memory_buffer line;
  fmt::format_to(std::back_inserter(line), format, std::forward<Args>(args)...);
  writeLog({line.data(), line.size()});
}

}  // namespace tfx
