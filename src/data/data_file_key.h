#pragma once
// The one secret key of the program's encrypted data files. The program reads
// them with it and aeroshadow-tool makes them with it, so anyone holding the
// tool can publish data files the program accepts.
#include <array>
#include <cstddef>

namespace tfx {

inline constexpr size_t kDataFileKeyBytes = 32;
using DataFileKey = std::array<unsigned char, kDataFileKeyBytes>;

const DataFileKey& dataFileKey();

}  // namespace tfx
