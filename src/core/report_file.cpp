#include "core/report_file.h"

#include <fmt/format.h>

#include <fstream>
#include <stdexcept>

namespace tfx {

void writeReportLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  const std::filesystem::path temporary = file.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << '\n';
    if (!out) throw std::runtime_error(fmt::format("Failed to write file {}", file.string()));
  }
  std::filesystem::rename(temporary, file);
}

}  // namespace tfx
