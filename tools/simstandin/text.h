#pragma once
// Words of the stand-in's option, title and aircraft.cfg files.
#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace tfx::simstandin {

inline std::string_view trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

inline std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace tfx::simstandin
