#pragma once
// Feed recordings: one datagram per line as "OFFSET_MS PORT DATAGRAM", lines
// starting with '#' and empty lines ignored.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace feedstandin {

struct RecordedDatagram {
  int64_t offsetMs = 0;
  uint16_t port = 0;
  std::string datagram;
};

// In file order; a malformed line raises std::runtime_error naming the file and line.
std::vector<RecordedDatagram> loadRecording(const std::filesystem::path& file);

// The traffic datagram with its report time (field 14) replaced; datagrams
// with fewer fields pass unchanged.
std::string withReportTime(std::string_view datagram, double unixSeconds);

}  // namespace feedstandin
