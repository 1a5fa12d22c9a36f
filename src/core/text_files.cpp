#include "core/text_files.h"

#include <fmt/format.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "core/log.h"
#include "core/utf.h"

namespace tfx {
namespace {

constexpr size_t kCharsetProbeBytes = 1027;

bool isValidUtf8(const unsigned char* bytes, size_t count) {
  for (size_t i = 0; i < count;) {
    const unsigned char lead = bytes[i];
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > count) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((bytes[i + k] & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

void appendTextLines(const std::filesystem::path& path, std::vector<std::string>& lines, bool skipBom) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error(fmt::format("cannot read {}", path.string()));
  std::string line;
  bool first = true;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (first && skipBom) line.erase(0, 3);
    first = false;
    lines.push_back(std::move(line));
  }
}

// UTF-16 lines are split at line feeds; a carriage return before the feed is
// dropped as in text mode, so lines look the same whatever the encoding.
void appendUtf16Lines(const std::filesystem::path& path, std::vector<std::string>& lines, bool bigEndian) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error(fmt::format("cannot read {}", path.string()));
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    units += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  size_t start = 0;
  while (start < units.size()) {
    size_t end = units.find(u'\n', start);
    std::u16string_view line(units.data() + start, (end == std::u16string::npos ? units.size() : end) - start);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    try {
      lines.push_back(utf16ToUtf8(line));
    } catch (const std::exception&) {
      writeLog(fmt::format("conversion from error from utf16 to utf8, code: {}", 1113));
      throw;
    }
    if (end == std::u16string::npos) break;
    start = end + 1;
  }
}

}  // namespace

std::string_view charsetName(Charset charset) {
  static constexpr std::array<std::string_view, 6> names = {
      "ANSI", "Unicode", "Unicode_big_endian", "UTF8_with_BOM", "UTF8_without_BOM", "none_found"};
  return names[static_cast<size_t>(charset)];
}

Charset detectCharset(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    writeLog(fmt::format("Cannot open file {} for character encoding. Win32 error: {}", path.string(), errno));
    return Charset::none_found;
  }
  std::array<unsigned char, kCharsetProbeBytes> bytes{};
  file.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
  const auto count = static_cast<size_t>(file.gcount());
  if (file.bad() || count < 2) return Charset::none_found;
  if (count >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) return Charset::UTF8_with_BOM;
  if (bytes[0] == 0xFF && bytes[1] == 0xFE) return Charset::Unicode;
  if (bytes[0] == 0xFE && bytes[1] == 0xFF) return Charset::Unicode_big_endian;
  return isValidUtf8(bytes.data(), count) ? Charset::UTF8_without_BOM : Charset::ANSI;
}

bool gf_readExtTextFileToStringVector(const std::filesystem::path& path, std::vector<std::string>& lines) {
  try {
    const Charset charset = detectCharset(path);
    switch (charset) {
      case Charset::none_found:
        return false;
      case Charset::Unicode:
      case Charset::Unicode_big_endian:
        appendUtf16Lines(path, lines, charset == Charset::Unicode_big_endian);
        return true;
      case Charset::UTF8_with_BOM:
        appendTextLines(path, lines, true);
        return true;
      case Charset::ANSI:
      case Charset::UTF8_without_BOM:
        appendTextLines(path, lines, false);
        return true;
    }
    throw std::runtime_error(fmt::format("file {} has unknown charset: {}", path.string(), charsetName(charset)));
  } catch (const std::exception& error) {
    writeLog(fmt::format("gf_readExtTextFileToStringVector {}", error.what()));
    return false;
  }
}

std::string extractPathElement(std::string_view text) {
  constexpr std::string_view open = "<Path>";
  constexpr std::string_view close = "</Path>";
  const auto start = text.find(open);
  if (start == std::string_view::npos) return {};
  const auto end = text.find(close, start + open.size());
  if (end == std::string_view::npos) return {};
  return std::string(text.substr(start + open.size(), end - start - open.size()));
}

}  // namespace tfx
