#include "aircraft/cfg_key_line.h"

#include <algorithm>

#include "core/text_trim.h"

namespace tfx {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

size_t skipBlanks(std::string_view text, size_t at) {
  while (at < text.size() && isBlank(text[at])) ++at;
  return at;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::string_view> keyLineValue(std::string_view line, std::string_view key) {
  size_t at = skipBlanks(line, 0);
  if (line.substr(at, key.size()) != key) return std::nullopt;
  at = skipBlanks(line, at + key.size());
  if (at >= line.size() || line[at] != '=') return std::nullopt;
  const size_t begin = skipBlanks(line, at + 1);
  size_t end = line.size();
  while (end > begin && isBlank(line[end - 1])) --end;
  if (end == begin) return std::nullopt;
  const std::string_view value = line.substr(begin, end - begin);
  // A line break inside the value is no '.' of the pattern.
  if (std::any_of(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; })) return std::nullopt;
  return value;
}

std::optional<std::string_view> fltsimHeaderDigits(std::string_view line) {
  const size_t start = skipBlanks(line, 0);
  const std::string_view prefix = line.substr(start, 8);
  if (prefix != "[fltsim." && prefix != "[FLTSIM.") return std::nullopt;
  size_t at = start + 8;
  const size_t digitsBegin = at;
  while (at < line.size() && isDigit(line[at])) ++at;
  if (at == digitsBegin || at >= line.size() || line[at] != ']') return std::nullopt;
  const std::string_view digits = line.substr(digitsBegin, at - digitsBegin);
  if (skipBlanks(line, at + 1) != line.size()) return std::nullopt;
  return digits;
}

bool isSectionHeader(std::string_view line) {
  const size_t at = skipBlanks(line, 0);
  return at < line.size() && line[at] == '[';
}

bool isGeneralHeader(std::string_view line) { return lowerAscii(trimBlanks(line)) == "[general]"; }

}  // namespace tfx
