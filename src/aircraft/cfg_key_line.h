#pragma once
// Recognising the lines of an aircraft.cfg without a regular expression per
// line. Each function accepts exactly the lines the line pattern in its
// comment matches as a whole, where \s is a blank, tab, CR, LF, VT or FF and
// '.' is any character but CR and LF.
#include <optional>
#include <string_view>

namespace tfx {

// "\s*(KEY)\s*=\s*(.*\S)\s*": the value from its first to its last non-blank
// character. Key letters must match exactly.
std::optional<std::string_view> keyLineValue(std::string_view line, std::string_view key);

// "\s*(\[fltsim\.)(\d+)\]\s*", the prefix also written "[FLTSIM.": the digits.
std::optional<std::string_view> fltsimHeaderDigits(std::string_view line);

// Any section header: the first non-blank character is '['.
bool isSectionHeader(std::string_view line);

// "[General]" in any letter case, blanks around allowed.
bool isGeneralHeader(std::string_view line);

}  // namespace tfx
