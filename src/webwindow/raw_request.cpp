#include "webwindow/raw_request.h"

#include <charconv>

#include "core/text_trim.h"

namespace tfx::webwindow {
namespace {

// The next line without its CR LF (or LF); the rest stays in `text`.
std::optional<std::string_view> takeLine(std::string_view& text) {
  const size_t end = text.find('\n');
  if (end == std::string_view::npos) return std::nullopt;
  std::string_view line = text.substr(0, end);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  text.remove_prefix(end + 1);
  return line;
}

bool tokenCharacter(char character) { return character > ' ' && character < 0x7f; }

}  // namespace

std::optional<WebRequest> parseRawRequest(std::string_view raw) {
  std::string_view rest = raw;
  const auto requestLine = takeLine(rest);
  if (!requestLine) return std::nullopt;
  const size_t firstSpace = requestLine->find(' ');
  const size_t secondSpace = requestLine->find(' ', firstSpace + 1);
  if (firstSpace == std::string_view::npos || secondSpace == std::string_view::npos) return std::nullopt;
  WebRequest request;
  request.method = requestLine->substr(0, firstSpace);
  const std::string_view target = requestLine->substr(firstSpace + 1, secondSpace - firstSpace - 1);
  if (!requestLine->substr(secondSpace + 1).starts_with("HTTP/1.")) return std::nullopt;
  if (request.method.empty() || target.empty() || target.front() != '/') return std::nullopt;
  for (char character : request.method + std::string(target)) {
    if (!tokenCharacter(character)) return std::nullopt;
  }
  request.path = target.substr(0, target.find('?'));
  std::optional<size_t> length;
  while (true) {
    const auto line = takeLine(rest);
    if (!line) return std::nullopt;
    if (line->empty()) break;
    const size_t colon = line->find(':');
    if (colon == std::string_view::npos || colon == 0) return std::nullopt;
    const std::string name = lowerAscii(line->substr(0, colon));
    const std::string value(trimBlanks(line->substr(colon + 1)));
    if (name == "host") request.host = value;
    if (name == "origin") request.origin = value;
    if (name == "content-type") request.contentType = value;
    if (name == "content-length") {
      size_t parsed = 0;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), parsed);
      if (error != std::errc{} || end != value.data() + value.size()) return std::nullopt;
      length = parsed;
    }
  }
  if (length && *length > rest.size()) return std::nullopt;
  request.body = rest.substr(0, length.value_or(rest.size()));
  return request;
}

WebResponse handleRawRequest(WebApi& api, std::string_view raw) {
  const std::optional<WebRequest> request = parseRawRequest(raw);
  if (!request) return {400, "application/json", R"({"error":"malformed request"})"};
  return api.handle(*request);
}

}  // namespace tfx::webwindow
