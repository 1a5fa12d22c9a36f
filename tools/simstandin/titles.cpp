#include "titles.h"

#include <algorithm>
#include <fstream>
#include <string_view>

#include "text.h"

namespace tfx::simstandin {
std::vector<std::string> readTitlesFile(const std::filesystem::path& file) {
  std::vector<std::string> titles;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    const std::string_view title = trim(line);
    if (!title.empty() && title.front() != '#') titles.emplace_back(title);
  }
  return titles;
}

std::vector<std::string> scanAircraftCfgTitles(const std::filesystem::path& folder) {
  std::vector<std::string> titles;
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (!it->is_regular_file() || lower(it->path().filename().string()) != "aircraft.cfg") continue;
    std::ifstream in(it->path());
    std::string line;
    while (std::getline(in, line)) {
      const std::string_view content = trim(line);
      const auto equals = content.find('=');
      if (equals == std::string_view::npos || lower(std::string(trim(content.substr(0, equals)))) != "title") continue;
      const std::string_view title = trim(content.substr(equals + 1));
      if (!title.empty()) titles.emplace_back(title);
    }
  }
  return titles;
}

}  // namespace tfx::simstandin
