#pragma once
// Reading the shipped aircraft database at start.
#include <filesystem>

#include "aircraft/aircraft_database.h"

namespace tfx {

// Decrypts input/dbase.enc to input/dbase.xml, reads it into the process-wide
// database and deletes the plain file again. When it cannot be read and the
// file it replaced is still kept, that one is read instead (logged) and the
// recorded version forgotten. Returns true; throws std::runtime_error ("{} not
// available", "{} stream decrypt failed") or UserErrorException 60 (XML
// syntax) / 61 (an empty required list).
bool gf_readDbase();
// The same with other file names and no fallback (the diagnostic tool, tests).
bool gf_readDbase(const std::filesystem::path& encryptedFile, const std::filesystem::path& plainFile);

// A database file as it would be read, without taking it.
AircraftDatabase readDbaseFile(const std::filesystem::path& encryptedFile, const std::filesystem::path& plainFile);
// Throws as reading would when the encrypted file is not a usable database.
void checkDbaseFile(const std::filesystem::path& encryptedFile);

}  // namespace tfx
