#pragma once
// Facts of the encrypted data-file format shared by the reading and the
// writing side: a 24-byte header, then chunks of up to 4096 plain bytes, each
// followed by the 17-byte authentication overhead.
#include <cstddef>

namespace tfx {

inline constexpr size_t kStreamHeaderBytes = 24;
inline constexpr size_t kPlainChunkBytes = 4096;
inline constexpr size_t kChunkOverheadBytes = 17;
inline constexpr size_t kCipherChunkBytes = kPlainChunkBytes + kChunkOverheadBytes;

// libsodium must be initialised once before use; safe from any thread.
void ensureSodium();

}  // namespace tfx
