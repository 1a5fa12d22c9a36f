#include "recording.h"

#include <fmt/format.h>

#include <charconv>
#include <fstream>
#include <stdexcept>

#include "realtraffic/traffic_fields.h"

namespace feedstandin {
namespace {

template <typename Number>
bool readNumber(std::string_view text, Number& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc{} && stop == end;
}

}  // namespace

std::vector<RecordedDatagram> loadRecording(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  if (!stream) throw std::runtime_error(fmt::format("cannot read {}", file.string()));
  std::vector<RecordedDatagram> recording;
  std::string line;
  for (size_t number = 1; std::getline(stream, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    const size_t first = line.find(' ');
    const size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
    RecordedDatagram entry;
    if (second == std::string::npos || !readNumber(std::string_view(line).substr(0, first), entry.offsetMs) ||
        !readNumber(std::string_view(line).substr(first + 1, second - first - 1), entry.port)) {
      throw std::runtime_error(fmt::format("{}:{}: expected OFFSET_MS PORT DATAGRAM", file.string(), number));
    }
    entry.datagram = line.substr(second + 1);
    recording.push_back(std::move(entry));
  }
  return recording;
}

std::string withReportTime(std::string_view datagram, double unixSeconds) {
  size_t start = 0;
  for (size_t field = 0; field < tfx::traffic_fields::kTimestamp; ++field) {
    start = datagram.find(',', start);
    if (start == std::string_view::npos) return std::string(datagram);
    ++start;
  }
  const size_t end = datagram.find(',', start);
  if (end == std::string_view::npos) return std::string(datagram);
  return fmt::format("{}{:.2f}{}", datagram.substr(0, start), unixSeconds, datagram.substr(end));
}

}  // namespace feedstandin
