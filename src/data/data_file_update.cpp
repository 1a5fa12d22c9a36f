#include "data/data_file_update.h"

#include <stdexcept>

#include "data/file_remover.h"
#include "data/stream_decrypt.h"

namespace tfx {
namespace fs = std::filesystem;

void checkDecrypts(const fs::path& encryptedFile) {
  fs::path plainFile = encryptedFile;
  plainFile += ".check";
  const bool decrypted = gf_streamDecrypt(encryptedFile, plainFile);
  gf_removeFile(plainFile);
  if (!decrypted) throw std::runtime_error("it does not decrypt");
}

fs::path downloadSideFile(const fs::path& installedFile) {
  fs::path side = installedFile;
  return side += ".download";
}

fs::path previousDataFile(const fs::path& installedFile) {
  fs::path previous = installedFile;
  return previous += ".previous";
}

void installDataFile(const fs::path& downloadedFile, const fs::path& installedFile) {
  if (fs::exists(installedFile)) fs::rename(installedFile, previousDataFile(installedFile));
  fs::rename(downloadedFile, installedFile);
}

}  // namespace tfx
