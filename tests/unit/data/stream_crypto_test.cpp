#include <gtest/gtest.h>
#include <sodium.h>

#include <string>
#include <vector>

#include "core/log.h"
#include "data/data_file_key.h"
#include "data/stream_decrypt.h"
#include "data/stream_encrypt.h"
#include "test_support.h"

namespace tfx {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

std::string patternedBytes(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 4096) & 0xff);
  return bytes;
}

TEST(StreamCrypto, RoundTripsEveryChunkBoundaryAndKeepsTheFormat) {
  TempDir folder;
  for (size_t size : {size_t{0}, size_t{1}, size_t{4095}, size_t{4096}, size_t{4097}, size_t{8192}, size_t{100000}}) {
    SCOPED_TRACE(size);
    const std::string plain = patternedBytes(size);
    writeFile(folder / "plain.bin", plain);
    streamEncrypt(folder / "plain.bin", folder / "data.enc");
    // 24-byte header, then one 17-byte overhead per chunk of up to 4096 bytes
    // (an empty file still has its one final chunk).
    const size_t chunks = size == 0 ? 1 : (size + 4095) / 4096;
    EXPECT_EQ(readFile(folder / "data.enc").size(), 24 + size + 17 * chunks);

    ASSERT_TRUE(gf_streamDecrypt(folder / "data.enc", folder / "out.bin"));
    EXPECT_EQ(readFile(folder / "out.bin"), plain);
  }
}

TEST(StreamCrypto, OnlyTheLastChunkCarriesTheFinalTag) {
  TempDir folder;
  writeFile(folder / "plain.bin", patternedBytes(3 * 4096 + 10));
  streamEncrypt(folder / "plain.bin", folder / "data.enc");
  const std::string cipher = readFile(folder / "data.enc");

  ASSERT_GE(sodium_init(), 0);
  crypto_secretstream_xchacha20poly1305_state state;
  const auto* bytes = reinterpret_cast<const unsigned char*>(cipher.data());
  ASSERT_EQ(crypto_secretstream_xchacha20poly1305_init_pull(&state, bytes, dataFileKey().data()), 0);
  std::vector<unsigned char> tags;
  for (size_t offset = 24; offset < cipher.size(); offset += 4096 + 17) {
    const size_t length = std::min<size_t>(4096 + 17, cipher.size() - offset);
    std::vector<unsigned char> plain(4096);
    unsigned long long plainLength = 0;
    unsigned char tag = 0;
    ASSERT_EQ(crypto_secretstream_xchacha20poly1305_pull(&state, plain.data(), &plainLength, &tag, bytes + offset,
                                                         length, nullptr, 0),
              0);
    tags.push_back(tag);
  }
  const unsigned char message = crypto_secretstream_xchacha20poly1305_TAG_MESSAGE;
  const unsigned char final = crypto_secretstream_xchacha20poly1305_TAG_FINAL;
  EXPECT_EQ(tags, (std::vector<unsigned char>{message, message, message, final}));
}

TEST(StreamCrypto, DamagedFilesFailWithTheirTextAndLeaveNoOutput) {
  TempDir folder;
  writeFile(folder / "plain.bin", patternedBytes(3 * 4096));
  streamEncrypt(folder / "plain.bin", folder / "data.enc");
  const std::string cipher = readFile(folder / "data.enc");

  struct Case {
    std::string name;
    std::string bytes;
    std::string logged;
  };
  DataFileKey otherKey = dataFileKey();
  otherKey[0] ^= 0x01;
  streamEncrypt(folder / "plain.bin", folder / "other-key.enc", otherKey);
  std::string flipped = cipher;
  flipped[24 + 4113 + 100] ^= 0x20;
  const std::vector<Case> cases{
      {"truncated in the last chunk", cipher.substr(0, cipher.size() - 5), "Decryption failed"},
      {"a flipped bit", flipped, "Decryption failed"},
      {"another key", readFile(folder / "other-key.enc"), "Decryption failed"},
      {"shorter than a header", cipher.substr(0, 10), "Invalid header or key"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeFile(folder / "damaged.enc", c.bytes);
    writeFile(folder / "out.bin", "stale plain text of an earlier run");
    LogCapture log;
    EXPECT_FALSE(gf_streamDecrypt(folder / "damaged.enc", folder / "out.bin"));
    EXPECT_EQ(log.lines(), std::vector<std::string>{"gf_streamDecrypt exception: " + c.logged});
    EXPECT_FALSE(std::filesystem::exists(folder / "out.bin"));
  }
}

TEST(StreamCrypto, StreamWithoutFinalChunkKeepsWhatWasDecrypted) {
  TempDir folder;
  const std::string plain = patternedBytes(3 * 4096);
  writeFile(folder / "plain.bin", plain);
  streamEncrypt(folder / "plain.bin", folder / "data.enc");
  // Header and the first two whole chunks: every chunk verifies, none is final.
  writeFile(folder / "cut.enc", readFile(folder / "data.enc").substr(0, 24 + 2 * 4113));

  EXPECT_TRUE(gf_streamDecrypt(folder / "cut.enc", folder / "out.bin"));
  EXPECT_EQ(readFile(folder / "out.bin"), plain.substr(0, 2 * 4096));
}

TEST(StreamCrypto, FilesThatCannotBeOpenedAreNamed) {
  TempDir folder;
  writeFile(folder / "plain.bin", "x");
  streamEncrypt(folder / "plain.bin", folder / "data.enc");
  LogCapture log;

  EXPECT_FALSE(gf_streamDecrypt(folder / "missing.enc", folder / "out.bin"));
  EXPECT_FALSE(std::filesystem::exists(folder / "out.bin"));
  EXPECT_FALSE(gf_streamDecrypt(folder / "data.enc", folder / "no-such-folder" / "out.bin"));
  const std::string prefix = "gf_streamDecrypt exception: ";
  EXPECT_EQ(log.lines(), (std::vector<std::string>{
                             prefix + "Could not open input file: " + (folder / "missing.enc").string(),
                             prefix + "Could not open output file: " + (folder / "no-such-folder" / "out.bin").string()}));
  EXPECT_THROW(streamEncrypt(folder / "missing.bin", folder / "x.enc"), std::runtime_error);
}

}  // namespace
}  // namespace tfx
