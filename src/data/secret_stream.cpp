#include "data/secret_stream.h"

#include <sodium.h>

#include <mutex>
#include <stdexcept>

namespace tfx {

static_assert(kStreamHeaderBytes == crypto_secretstream_xchacha20poly1305_HEADERBYTES);
static_assert(kChunkOverheadBytes == crypto_secretstream_xchacha20poly1305_ABYTES);

void ensureSodium() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (sodium_init() < 0) throw std::runtime_error("libsodium could not be initialised");
  });
}

}  // namespace tfx
