#include "sim/simconnect/wire_bytes.h"

#include <algorithm>
#include <bit>

namespace tfx::simconnect {

void ByteWriter::u32(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out_.push_back(static_cast<uint8_t>(value >> shift));
}

void ByteWriter::u64(uint64_t value) {
  for (int shift = 0; shift < 64; shift += 8) out_.push_back(static_cast<uint8_t>(value >> shift));
}

void ByteWriter::f32(float value) { u32(std::bit_cast<uint32_t>(value)); }

void ByteWriter::f64(double value) { u64(std::bit_cast<uint64_t>(value)); }

void ByteWriter::text(std::string_view value, size_t width) {
  const size_t used = std::min(value.size(), width);
  out_.insert(out_.end(), value.begin(), value.begin() + static_cast<std::ptrdiff_t>(used));
  out_.insert(out_.end(), width - used, 0);
}

void ByteWriter::patchU32(size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) out_[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

bool ByteReader::has(size_t offset, size_t width) {
  if (offset + width <= data_.size()) return true;
  ok_ = false;
  return false;
}

uint32_t ByteReader::u32(size_t offset) {
  if (!has(offset, 4)) return 0;
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value |= static_cast<uint32_t>(data_[offset + i]) << (8 * i);
  return value;
}

uint64_t ByteReader::u64(size_t offset) {
  if (!has(offset, 8)) return 0;
  uint64_t value = 0;
  for (size_t i = 0; i < 8; ++i) value |= static_cast<uint64_t>(data_[offset + i]) << (8 * i);
  return value;
}

float ByteReader::f32(size_t offset) { return std::bit_cast<float>(u32(offset)); }

double ByteReader::f64(size_t offset) { return std::bit_cast<double>(u64(offset)); }

std::string ByteReader::text(size_t offset, size_t width) {
  if (!has(offset, width)) return {};
  const auto* begin = reinterpret_cast<const char*>(data_.data() + offset);
  return std::string(begin, std::find(begin, begin + width, '\0'));
}

}  // namespace tfx::simconnect
