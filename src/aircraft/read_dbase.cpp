#include "aircraft/read_dbase.h"

#include <fmt/format.h>
#include <pugixml.hpp>

#include <stdexcept>

#include "aircraft/aircraft_database.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "data/data_file_update.h"
#include "data/file_remover.h"
#include "data/stream_decrypt.h"
#include "runstate/user_error.h"

namespace tfx {

AircraftDatabase readDbaseFile(const std::filesystem::path& encryptedFile, const std::filesystem::path& plainFile) {
  if (!std::filesystem::exists(encryptedFile)) {
    throw std::runtime_error(fmt::format("{} not available", encryptedFile.string()));
  }
  if (!gf_streamDecrypt(encryptedFile, plainFile)) {
    throw std::runtime_error(fmt::format("{} stream decrypt failed", encryptedFile.string()));
  }
  PlainFileGuard guard(plainFile);
  pugi::xml_document document;
  if (const pugi::xml_parse_result parsed = document.load_file(plainFile.c_str()); !parsed) {
    throw UserErrorException(60, fmt::format("'{}' not read because of {}", plainFile.string(), parsed.description()));
  }
  AircraftDatabase database;
  database.load(document);
  return database;
}

void checkDbaseFile(const std::filesystem::path& encryptedFile) {
  std::filesystem::path plainFile = encryptedFile;
  readDbaseFile(encryptedFile, plainFile += ".xml");
}

bool gf_readDbase() {
  try {
    return gf_readDbase(paths::dbaseEnc, paths::dbaseXml);
  } catch (const std::exception& error) {
    const std::filesystem::path previous = previousDataFile(paths::dbaseEnc);
    if (!std::filesystem::exists(previous)) throw;
    writeLog(fmt::format("{}; reading the previous {} instead", error.what(), previous.string()));
    // The recorded version belongs to the file that failed: forgetting it
    // makes the next start fetch the data set again.
    DBASE_VERSION.set("");
    saveParameter(DBASE_VERSION);
    return gf_readDbase(previous, paths::dbaseXml);
  }
}

bool gf_readDbase(const std::filesystem::path& encryptedFile, const std::filesystem::path& plainFile) {
  // Built aside and taken whole, so a failed read leaves no half-filled database.
  aircraftDatabase() = readDbaseFile(encryptedFile, plainFile);
  return true;
}

}  // namespace tfx
