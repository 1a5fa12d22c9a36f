#pragma once
// The program's plain-text report files: one line per entry.
#include <filesystem>
#include <string>
#include <vector>

namespace tfx {

// Creates the folder when missing and writes the lines to a temporary name
// renamed over the file, so a crash never leaves half a report. Throws
// std::runtime_error("Failed to write file {}") when it cannot.
void writeReportLines(const std::filesystem::path& file, const std::vector<std::string>& lines);

}  // namespace tfx
