#include "aircraft/aircraft_cfg_file.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <span>

#include "aircraft/cfg_key_line.h"
#include "aircraft/fltsim_section.h"
#include "core/log.h"
#include "core/text_files.h"

namespace tfx {
namespace {

constexpr size_t kReservedLines = 4048;

struct SectionSpan {
  size_t header = 0;  // line index of the header
  size_t end = 0;     // one past the section's last line
};

size_t sectionEnd(const std::vector<std::string>& lines, size_t header) {
  size_t end = header + 1;
  while (end < lines.size() && !isSectionHeader(lines[end])) ++end;
  return end;
}

std::optional<std::string> generalAtcModel(const std::vector<std::string>& lines) {
  for (size_t index = 0; index < lines.size(); ++index) {
    if (!isSectionHeader(lines[index]) || !isGeneralHeader(lines[index])) continue;
    const size_t end = sectionEnd(lines, index);
    for (size_t line = index + 1; line < end; ++line) {
      if (auto value = keyLineValue(lines[line], "atc_model")) return std::string(*value);
    }
  }
  return std::nullopt;
}

void logModelFix(std::string_view from, const std::filesystem::path& path, std::string_view to, ScanReports& reports) {
  std::string line = fmt::format("Model fix: {} found in {} changed into {}", from, path.string(), to);
  writeLog(line);
  reports.add(ScanReport::Fixes, std::move(line));
}

// The type the file's liveries get; empty when no aircraft of the feed can
// have it, so the file's liveries would never be chosen and only inflate the
// counts: such a file yields no livery.
std::string checkedType(std::string type, const std::filesystem::path& path, CfgScanContext& context) {
  if (context.database.validAcType(type)) return type;
  if (auto fix = context.database.fixes().find(type); fix != context.database.fixes().end()) {
    logModelFix(type, path, fix->second, context.reports);
    return fix->second;
  }
  context.reports.add(ScanReport::InvalidAircraftCodes, fmt::format("{:16} in {}", type, path.string()));
  return {};
}

std::string standardType(const std::vector<std::string>& lines, const std::filesystem::path& path,
                         CfgScanContext& context) {
  std::optional<std::string> model = generalAtcModel(lines);
  if (!model) {
    context.reports.add(ScanReport::InvalidAircraftCfgFiles,
                        fmt::format("Line atc_model= is missing in [General] section of {}", path.string()));
    return {};
  }
  return checkedType(std::move(*model), path, context);
}

// The folder IVAO_<code> above the file; either separator is accepted.
std::string ivaoFolderCode(const std::filesystem::path& path) {
  const std::string text = path.string();
  constexpr std::string_view kMarker = "IVAO_MTL";
  const size_t marker = text.rfind(kMarker);
  if (marker == std::string::npos || marker == 0) return {};
  const auto isSeparator = [](char c) { return c == '/' || c == '\\'; };
  if (!isSeparator(text[marker - 1])) return {};
  std::string_view rest = std::string_view(text).substr(marker + kMarker.size());
  constexpr std::string_view kFile = "aircraft.cfg";
  if (rest.size() < 1 + 5 + 1 + kFile.size() || !isSeparator(rest.front()) || !rest.ends_with(kFile) ||
      !isSeparator(rest[rest.size() - kFile.size() - 1])) {
    return {};
  }
  rest = rest.substr(1, rest.size() - kFile.size() - 2);
  if (!rest.starts_with("IVAO_")) return {};
  const std::string_view code = rest.substr(5);
  const bool word = !code.empty() && std::all_of(code.begin(), code.end(), [](unsigned char c) {
    return std::isalnum(c) != 0 || c == '_';
  });
  return word ? std::string(code) : std::string();
}

std::string ivaoType(const std::filesystem::path& path, CfgScanContext& context) {
  const std::string found = ivaoFolderCode(path);
  std::string code = found;
  if (code.ends_with('w')) code.pop_back();
  if (code == "B744F") code = "B744";
  if (code == "T154M" || code == "T154B2") code = "T154";
  for (std::string_view glider : {"GLID_SH", "GLID_A13", "GLID_A25", "GLID_KA6", "GLID_KA8", "GLID_L13"}) {
    if (code == glider) code = "GLID";
  }
  if (code != found) logModelFix(found, path, code, context.reports);
  return checkedType(std::move(code), path, context);
}

std::vector<SectionSpan> fltsimSections(const std::vector<std::string>& lines, const std::filesystem::path& path,
                                        CfgScanContext& context, bool& anyHeader) {
  std::vector<SectionSpan> sections;
  bool outOfRangeReported = false;
  for (size_t index = 0; index < lines.size(); ++index) {
    const std::optional<std::string_view> digits = fltsimHeaderDigits(lines[index]);
    if (!digits) continue;
    anyHeader = true;
    int64_t number = 0;
    const auto [end, error] = std::from_chars(digits->data(), digits->data() + digits->size(), number);
    if (error != std::errc{} || end != digits->data() + digits->size()) {
      writeLog(fmt::format("fltsim num {} incorrect", *digits));
      continue;
    }
    // The simulator does not load a section numbered out of range, so the
    // section yields no livery that could never be created.
    if (number < 0 || number > kMaxFltsimNumber) {
      if (!outOfRangeReported) {
        context.reports.add(ScanReport::InvalidAircraftCfgFiles,
                            fmt::format("{} contains a [fltsim.x] section with a number < 0 or > {}", path.string(),
                                        kMaxFltsimNumber));
      }
      outOfRangeReported = true;
      continue;
    }
    sections.push_back({index, sectionEnd(lines, index)});
  }
  return sections;
}

}  // namespace

bool isIvaoPackagePath(const std::filesystem::path& path) {
  const std::string text = path.string();
  return text.find("ivao_x-csl") != std::string::npos || text.find("IVAO_MTL") != std::string::npos;
}

LiveryList searchLiveriesInLines(const std::vector<std::string>& lines, const std::filesystem::path& path,
                                 int32_t folderIndex, CfgScanContext& context) {
  LiveryList liveries;
  try {
    bool anyHeader = false;
    const std::vector<SectionSpan> sections = fltsimSections(lines, path, context, anyHeader);
    if (!anyHeader) {
      context.reports.add(ScanReport::NoFltsimSection, path.string());
      return liveries;
    }
    CfgFileFacts file{path, {}, folderIndex, isIvaoPackagePath(path)};
    file.type = file.ivao ? ivaoType(path, context) : standardType(lines, path, context);
    if (file.type.empty()) return liveries;
    for (const SectionSpan& section : sections) {
      try {
        const std::span<const std::string> body(lines.data() + section.header + 1, section.end - section.header - 1);
        if (auto livery = lf_procesFltSimSection(body, lines[section.header], file, context)) {
          liveries.push_back(std::move(*livery));
        }
      } catch (const std::exception& error) {
        writeLog(fmt::format("Exception in lf_procesFltSimSection: {}, file: {}", error.what(), path.string()));
      }
    }
  } catch (const std::exception& error) {
    writeLog(fmt::format("Exception in lf_searchLiveriesinFile {}: {}", path.string(), error.what()));
  }
  return liveries;
}

LiveryList lf_searchLiveriesinFile(const std::filesystem::path& path, int32_t folderIndex, CfgScanContext& context) {
  std::vector<std::string> lines;
  lines.reserve(kReservedLines);
  if (!gf_readExtTextFileToStringVector(path, lines)) {
    if (isIvaoPackagePath(path)) writeLog(fmt::format("No character set found for {}", path.string()));
    context.reports.skip(path.string(), "unreadable, or no character set found");
    return {};
  }
  return searchLiveriesInLines(lines, path, folderIndex, context);
}

}  // namespace tfx
