#pragma once
// Text files of any common encoding, read as UTF-8 lines.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tfx {

enum class Charset { ANSI, Unicode, Unicode_big_endian, UTF8_with_BOM, UTF8_without_BOM, none_found };

std::string_view charsetName(Charset charset);

// Classifies a file by its byte-order mark or, without one, by whether its
// first 1027 bytes are valid UTF-8.
Charset detectCharset(const std::filesystem::path& path);

// Appends the file's lines as UTF-8 (line ends removed). False when the
// encoding could not be found or the file could not be read.
bool gf_readExtTextFileToStringVector(const std::filesystem::path& path, std::vector<std::string>& lines);

// The text between the first "<Path>" and the following "</Path>"; empty when
// either marker is missing.
std::string extractPathElement(std::string_view text);

}  // namespace tfx
