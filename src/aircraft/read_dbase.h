#pragma once
// Reading the shipped aircraft database at start.
#include <filesystem>

namespace tfx {

// Decrypts input/dbase.enc to input/dbase.xml, reads it into the process-wide
// database and deletes the plain file again. Returns true; throws
// std::runtime_error ("{} not available", "{} stream decrypt failed") or
// UserErrorException 60 (XML syntax) / 61 (an empty required list).
bool gf_readDbase();
// The same with other file names (the diagnostic tool, tests).
bool gf_readDbase(const std::filesystem::path& encryptedFile, const std::filesystem::path& plainFile);

}  // namespace tfx
