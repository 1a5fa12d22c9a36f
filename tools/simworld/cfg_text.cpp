#include "cfg_text.h"

#include <fmt/format.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace tfx::simworld {

void writeCfgFile(const std::filesystem::path& file, const std::vector<std::string>& lines, CfgEncoding encoding) {
  std::string text;
  if (encoding == CfgEncoding::Utf8Bom) text = "\xEF\xBB\xBF";
  // A Latin-1 byte in a comment makes the file one that is no UTF-8.
  if (encoding == CfgEncoding::AnsiBytes) text += "// Caf\xE9 cr\xE8me livery pack\n";
  const std::string_view lineEnd = encoding == CfgEncoding::CrLf || encoding == CfgEncoding::Utf16Bom ? "\r\n" : "\n";
  for (const std::string& line : lines) {
    text += line;
    text += lineEnd;
  }
  if (encoding == CfgEncoding::Utf16Bom) {
    std::string wide = "\xFF\xFE";
    for (char c : text) {
      wide += c;
      wide += '\0';
    }
    text = std::move(wide);
  }
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) throw std::runtime_error(fmt::format("cannot write {}", file.string()));
}

std::string windowsPath(const std::filesystem::path& path) {
  std::string text = path.string();
  std::replace(text.begin(), text.end(), '/', '\\');
  return text;
}

}  // namespace tfx::simworld
