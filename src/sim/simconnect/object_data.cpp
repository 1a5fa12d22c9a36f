#include "sim/simconnect/object_data.h"

namespace tfx::simconnect {

uint32_t datumSize(DataType type) {
  switch (type) {
    case DataType::Int32:
    case DataType::Float32: return 4;
    case DataType::Int64:
    case DataType::Float64:
    case DataType::String8: return 8;
    case DataType::String32: return 32;
    case DataType::String64: return 64;
    case DataType::String128: return 128;
    case DataType::String256: return 256;
    case DataType::String260: return 260;
    default: return 0;
  }
}

void DatumWriter::variableString(std::string_view value) {
  const size_t padded = (value.size() / 4 + 1) * 4;
  writer_.text(value, padded);
}

std::string DatumReader::variableString() {
  const size_t remaining = offset_ < reader_.size() ? reader_.size() - offset_ : 0;
  std::string value = reader_.text(offset_, remaining);
  if (value.size() == remaining) {
    // No terminator before the end: the block was cut short.
    offset_ = reader_.size();
    ok_ = false;
    return value;
  }
  offset_ += (value.size() / 4 + 1) * 4;
  return value;
}

}  // namespace tfx::simconnect
