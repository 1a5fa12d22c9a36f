#pragma once
// What the livery commands share: working inside an install folder as the
// program does, and its aircraft database.
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

namespace tfx::tool {

// A private temporary name for a decrypted file, never beside the installed
// one where a running program decrypts its own.
std::filesystem::path temporaryPlainFile(std::string_view stem);

// Makes DIR the current folder (input/ and output/ are read there) and reads
// its input/dbase.enc. Throws when either is missing.
void enterInstallFolder(const std::filesystem::path& folder);

// JSON text that stays valid when titles carry bytes that are no UTF-8.
std::string jsonText(const nlohmann::ordered_json& value);

}  // namespace tfx::tool
