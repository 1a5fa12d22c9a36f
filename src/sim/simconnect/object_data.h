#pragma once
// The data block of object data messages: datums packed in definition order,
// each at its natural size, no alignment padding. A variable string takes its
// characters, one terminator and zeros up to the next multiple of 4.
#include <cstdint>
#include <string>
#include <string_view>

#include "sim/simconnect/wire_bytes.h"
#include "sim/simconnect/wire_constants.h"

namespace tfx::simconnect {

// Bytes of one datum of a fixed-size type; 0 for a variable string or an unknown type.
uint32_t datumSize(DataType type);

class DatumWriter {
 public:
  explicit DatumWriter(Bytes& out) : writer_(out) {}
  void float64(double value) { writer_.f64(value); }
  void float32(float value) { writer_.f32(value); }
  void int64(int64_t value) { writer_.u64(static_cast<uint64_t>(value)); }
  void int32(int32_t value) { writer_.i32(value); }
  void fixedString(std::string_view value, size_t width) { writer_.text(value, width); }
  void variableString(std::string_view value);

 private:
  ByteWriter writer_;
};

// Reads datums one after the other; ok() turns false once a read ran past the end.
class DatumReader {
 public:
  explicit DatumReader(ByteView data) : reader_(data) {}
  double float64() { return reader_.f64(advance(8)); }
  float float32() { return reader_.f32(advance(4)); }
  int64_t int64() { return static_cast<int64_t>(reader_.u64(advance(8))); }
  int32_t int32() { return reader_.i32(advance(4)); }
  std::string fixedString(size_t width) { return reader_.text(advance(width), width); }
  std::string variableString();
  bool ok() const { return ok_ && reader_.ok(); }
  size_t offset() const { return offset_; }

 private:
  size_t advance(size_t width) {
    const size_t at = offset_;
    offset_ += width;
    return at;
  }
  ByteReader reader_;
  size_t offset_ = 0;
  bool ok_ = true;
};

}  // namespace tfx::simconnect
