#pragma once
// Shows an address in the user's browser.
#include <string>

namespace tfx::platform {

// Hands the address to xdg-open in the background; false when that could not be started.
bool openUrl(const std::string& url);

}  // namespace tfx::platform
