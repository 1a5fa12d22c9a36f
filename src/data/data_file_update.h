#pragma once
// Installing a downloaded data file only once it is known to be readable, and
// keeping the file it replaces to fall back on.
#include <filesystem>
#include <functional>

namespace tfx {

// Throws std::exception when the encrypted file is not a usable data file;
// its text says what is wrong.
using DataFileCheck = std::function<void(const std::filesystem::path& encryptedFile)>;

// The check every data file gets: it decrypts completely with the program's key.
void checkDecrypts(const std::filesystem::path& encryptedFile);

// Where a download waits to be checked, and where the replaced file is kept.
std::filesystem::path downloadSideFile(const std::filesystem::path& installedFile);
std::filesystem::path previousDataFile(const std::filesystem::path& installedFile);

// Moves the installed file (when there is one) to its previous name and the
// checked download into its place.
void installDataFile(const std::filesystem::path& downloadedFile, const std::filesystem::path& installedFile);

}  // namespace tfx
