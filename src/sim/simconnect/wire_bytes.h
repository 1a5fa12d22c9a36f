#pragma once
// Little-endian, byte-packed reading and writing of SimConnect messages.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tfx::simconnect {

using Bytes = std::vector<uint8_t>;
using ByteView = std::span<const uint8_t>;

class ByteWriter {
 public:
  explicit ByteWriter(Bytes& out) : out_(out) {}
  void u32(uint32_t value);
  void i32(int32_t value) { u32(static_cast<uint32_t>(value)); }
  void u64(uint64_t value);
  void f32(float value);
  void f64(double value);
  // A text in a field of `width` bytes, zero-filled. A text as long as the
  // field fills it without a terminator (readers stop at the field end), so a
  // 12-character tail number reaches the simulator whole; longer texts are cut.
  void text(std::string_view value, size_t width);
  void bytes(ByteView value) { out_.insert(out_.end(), value.begin(), value.end()); }
  // Writes a 32-bit value over bytes already written.
  void patchU32(size_t offset, uint32_t value);
  size_t size() const { return out_.size(); }

 private:
  Bytes& out_;
};

// Reads at fixed offsets; reading past the end gives zeros and marks the reader bad.
class ByteReader {
 public:
  explicit ByteReader(ByteView data) : data_(data) {}
  uint32_t u32(size_t offset);
  int32_t i32(size_t offset) { return static_cast<int32_t>(u32(offset)); }
  uint64_t u64(size_t offset);
  float f32(size_t offset);
  double f64(size_t offset);
  // The text up to its first zero byte or the end of the field.
  std::string text(size_t offset, size_t width);
  size_t size() const { return data_.size(); }
  bool ok() const { return ok_; }

 private:
  bool has(size_t offset, size_t width);
  ByteView data_;
  bool ok_ = true;
};

inline ByteView asBytes(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}
inline std::string_view asText(ByteView bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace tfx::simconnect
