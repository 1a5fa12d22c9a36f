#pragma once
// Reading raw little-endian fields of encoded messages, independently of the
// encoder under test.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tfx::simconnect::test {

inline uint32_t u32At(const std::vector<uint8_t>& bytes, size_t offset) {
  return static_cast<uint32_t>(bytes.at(offset)) | static_cast<uint32_t>(bytes.at(offset + 1)) << 8 |
         static_cast<uint32_t>(bytes.at(offset + 2)) << 16 | static_cast<uint32_t>(bytes.at(offset + 3)) << 24;
}

inline double f64At(const std::vector<uint8_t>& bytes, size_t offset) {
  uint64_t raw = 0;
  for (size_t i = 0; i < 8; ++i) raw |= static_cast<uint64_t>(bytes.at(offset + i)) << (8 * i);
  double value;
  std::memcpy(&value, &raw, sizeof value);
  return value;
}

inline std::string fieldAt(const std::vector<uint8_t>& bytes, size_t offset, size_t width) {
  return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                     bytes.begin() + static_cast<std::ptrdiff_t>(offset + width));
}

// The text followed by zeros up to the width.
inline std::string padded(const std::string& text, size_t width) { return text + std::string(width - text.size(), '\0'); }

inline void putU32(std::vector<uint8_t>& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace tfx::simconnect::test
