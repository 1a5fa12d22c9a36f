#pragma once
// The per-user and machine-wide folders the program keeps its files in.
#include <filesystem>

namespace tfx::platform {

// The roaming application-data folder: $XDG_CONFIG_HOME, else ~/.config.
// Empty when neither the variable nor a home folder is known.
std::filesystem::path roamingAppDataFolder();

// The machine-wide program-data folder: $XDG_DATA_HOME, else ~/.local/share.
std::filesystem::path programDataFolder();

// Where named locks live: $XDG_RUNTIME_DIR, else /tmp.
std::filesystem::path runtimeFolder();

}  // namespace tfx::platform
