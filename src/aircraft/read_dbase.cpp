#include "aircraft/read_dbase.h"

#include <fmt/format.h>
#include <pugixml.hpp>

#include <stdexcept>

#include "aircraft/aircraft_database.h"
#include "core/folders.h"
#include "data/file_remover.h"
#include "data/stream_decrypt.h"
#include "runstate/user_error.h"

namespace tfx {
namespace {

// The plain database must not outlive its reading, whichever way that ends.
class PlainFileGuard {
 public:
  explicit PlainFileGuard(std::filesystem::path file) : file_(std::move(file)) {}
  ~PlainFileGuard() { gf_removeFile(file_); }
  PlainFileGuard(const PlainFileGuard&) = delete;
  PlainFileGuard& operator=(const PlainFileGuard&) = delete;

 private:
  std::filesystem::path file_;
};

}  // namespace

bool gf_readDbase() { return gf_readDbase(paths::dbaseEnc, paths::dbaseXml); }

bool gf_readDbase(const std::filesystem::path& encryptedFile, const std::filesystem::path& plainFile) {
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
  // Built aside and taken whole, so a failed read leaves no half-filled database.
  AircraftDatabase database;
  database.load(document);
  aircraftDatabase() = std::move(database);
  return true;
}

}  // namespace tfx
