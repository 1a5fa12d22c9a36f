#pragma once
// Names the calling thread as debuggers and process lists show it.
#include <string_view>

namespace tfx::platform {

// Names longer than the system allows (15 characters here) are cut.
void setCurrentThreadName(std::string_view name);

}  // namespace tfx::platform
