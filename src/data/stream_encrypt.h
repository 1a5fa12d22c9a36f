#pragma once
// Making encrypted data files (.enc) the program reads: 4096-byte chunks, the
// final tag on the last one.
#include <filesystem>

#include "data/data_file_key.h"

namespace tfx {

// Throws std::runtime_error naming the file that could not be read or written.
void streamEncrypt(const std::filesystem::path& plainFile, const std::filesystem::path& encryptedFile,
                   const DataFileKey& key = dataFileKey());

}  // namespace tfx
