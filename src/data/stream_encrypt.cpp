#include "data/stream_encrypt.h"

#include <sodium.h>

#include <array>
#include <fstream>
#include <stdexcept>

#include "data/secret_stream.h"

namespace tfx {

void streamEncrypt(const std::filesystem::path& plainFile, const std::filesystem::path& encryptedFile,
                   const DataFileKey& key) {
  ensureSodium();
  std::ifstream input(plainFile, std::ios::binary);
  if (!input.is_open()) throw std::runtime_error("Could not open input file: " + plainFile.string());
  std::ofstream output(encryptedFile, std::ios::binary | std::ios::trunc);
  if (!output.is_open()) throw std::runtime_error("Could not open output file: " + encryptedFile.string());

  crypto_secretstream_xchacha20poly1305_state state;
  std::array<unsigned char, kStreamHeaderBytes> header{};
  crypto_secretstream_xchacha20poly1305_init_push(&state, header.data(), key.data());
  output.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));

  // Reading one chunk ahead tells which chunk is the last, so it alone gets
  // the final tag (an empty file becomes one empty final chunk).
  std::array<unsigned char, kPlainChunkBytes> current{};
  std::array<unsigned char, kPlainChunkBytes> next{};
  std::array<unsigned char, kCipherChunkBytes> cipher{};
  auto fill = [&input](std::array<unsigned char, kPlainChunkBytes>& buffer) {
    input.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
    return static_cast<size_t>(input.gcount());
  };
  size_t currentLength = fill(current);
  while (true) {
    const size_t nextLength = currentLength == kPlainChunkBytes ? fill(next) : 0;
    const bool last = nextLength == 0;
    unsigned long long cipherLength = 0;
    crypto_secretstream_xchacha20poly1305_push(
        &state, cipher.data(), &cipherLength, current.data(), currentLength, nullptr, 0,
        last ? crypto_secretstream_xchacha20poly1305_TAG_FINAL : crypto_secretstream_xchacha20poly1305_TAG_MESSAGE);
    output.write(reinterpret_cast<const char*>(cipher.data()), static_cast<std::streamsize>(cipherLength));
    if (last) break;
    current.swap(next);
    currentLength = nextLength;
  }
  if (input.bad()) throw std::runtime_error("Could not read input file: " + plainFile.string());
  output.close();
  if (!output) throw std::runtime_error("Could not write output file: " + encryptedFile.string());
}

}  // namespace tfx
