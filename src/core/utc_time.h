#pragma once
// Time stamps as the log and the messages print them.
#include <ctime>
#include <string>

namespace tfx {

// "Sat Dec 05 17:22:58 2026" in UTC; "Invalid time" when t cannot be broken down.
std::string formatUtcTime(std::time_t t);

// The current time, formatted as above.
std::string utcTimeNow();

}  // namespace tfx
