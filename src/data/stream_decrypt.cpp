#include "data/stream_decrypt.h"

#include <fmt/format.h>
#include <sodium.h>

#include <array>
#include <fstream>
#include <stdexcept>

#include "core/log.h"
#include "data/data_file_key.h"
#include "data/file_remover.h"
#include "data/secret_stream.h"

namespace tfx {
namespace {

size_t readUpTo(std::ifstream& input, unsigned char* buffer, size_t size) {
  input.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(size));
  return static_cast<size_t>(input.gcount());
}

void decryptStream(std::ifstream& input, std::ofstream& output) {
  ensureSodium();
  std::array<unsigned char, kStreamHeaderBytes> header{};
  crypto_secretstream_xchacha20poly1305_state state;
  if (readUpTo(input, header.data(), header.size()) != header.size() ||
      crypto_secretstream_xchacha20poly1305_init_pull(&state, header.data(), dataFileKey().data()) != 0) {
    throw std::runtime_error("Invalid header or key");
  }

  // Fixed buffers whatever the file size: one cipher chunk in, one plain chunk out.
  std::array<unsigned char, kCipherChunkBytes> cipher{};
  std::array<unsigned char, kPlainChunkBytes> plain{};
  for (size_t read = readUpTo(input, cipher.data(), cipher.size()); read > 0;
       read = readUpTo(input, cipher.data(), cipher.size())) {
    unsigned long long plainLength = 0;
    unsigned char tag = 0;
    if (crypto_secretstream_xchacha20poly1305_pull(&state, plain.data(), &plainLength, &tag, cipher.data(), read,
                                                   nullptr, 0) != 0) {
      throw std::runtime_error("Decryption failed");
    }
    output.write(reinterpret_cast<const char*>(plain.data()), static_cast<std::streamsize>(plainLength));
    if (!output) throw std::runtime_error("Could not write output file");
    if (tag == crypto_secretstream_xchacha20poly1305_TAG_FINAL) break;
  }
}

}  // namespace

bool gf_streamDecrypt(const std::filesystem::path& encryptedFile, const std::filesystem::path& outputFile) {
  try {
    std::ifstream input(encryptedFile, std::ios::binary);
    if (!input.is_open()) throw std::runtime_error("Could not open input file: " + encryptedFile.string());
    std::ofstream output(outputFile, std::ios::binary | std::ios::trunc);
    if (!output.is_open()) throw std::runtime_error("Could not open output file: " + outputFile.string());
    try {
      decryptStream(input, output);
      output.close();
      if (!output) throw std::runtime_error("Could not write output file");
    } catch (...) {
      // Half a plain text must never be taken for a whole one.
      output.close();
      gf_removeFile(outputFile);
      throw;
    }
    return true;
  } catch (const std::exception& error) {
    writeLog(fmt::format("{} exception: {}", "gf_streamDecrypt", error.what()));
    return false;
  }
}

}  // namespace tfx
