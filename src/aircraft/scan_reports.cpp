#include "aircraft/scan_reports.h"

#include <fmt/format.h>

#include <algorithm>

#include "core/folders.h"
#include "core/log.h"
#include "core/report_file.h"
#include "data/file_remover.h"

namespace tfx {
namespace {

struct ReportFile {
  const std::filesystem::path& folder;
  std::string_view name;
};

ReportFile reportFile(ScanReport report) {
  switch (report) {
    case ScanReport::InvalidAirlineCodes:
      return {paths::outputErrors, paths::kInvalidAirlineCodes};
    case ScanReport::InvalidAircraftCodes:
      return {paths::outputErrors, paths::kInvalidAircraftCodes};
    case ScanReport::Fixes:
      return {paths::outputErrors, paths::kFixes};
    case ScanReport::InvalidAircraftCfgFiles:
      return {paths::outputErrors, paths::kInvalidAircraftCfgFiles};
    case ScanReport::IncompleteFltsimSections:
      return {paths::outputErrors, paths::kIncompleteFltsimSections};
    case ScanReport::NoFltsimSection:
      return {paths::outputInfo, paths::kAircraftCfgWithNoFltsimSection};
    case ScanReport::AirlineModelConversions:
      return {paths::outputInfo, paths::kAirlineModelConversions};
  }
  throw std::logic_error("unknown scan report");
}

std::string_view plural(size_t count) { return count == 1 ? "" : "s"; }

std::string sortedReport(const ScanReports& reports, ScanReport report, std::vector<std::string>& lines) {
  lines = reports.lines(report);
  std::sort(lines.begin(), lines.end());
  if (report == ScanReport::IncompleteFltsimSections) lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  const std::filesystem::path file = scanReportFile(report);
  writeReportLines(file, lines);
  return file.string();
}

}  // namespace

std::filesystem::path scanReportFile(ScanReport report) {
  const ReportFile file = reportFile(report);
  return file.folder / file.name;
}

void ScanReports::add(ScanReport report, std::string line) {
  List& list = lists_[static_cast<size_t>(report)];
  std::lock_guard guard(list.lock);
  list.lines.push_back(std::move(line));
}

std::vector<std::string> ScanReports::lines(ScanReport report) const {
  const List& list = lists_[static_cast<size_t>(report)];
  std::lock_guard guard(list.lock);
  return list.lines;
}

bool ScanReports::claimTitle(std::string_view title) {
  std::lock_guard guard(titlesLock_);
  return titles_.emplace(title).second;
}

void ScanReports::skip(std::string path, std::string reason) {
  writeLogError(fmt::format("{}: {}", path, reason));
  std::lock_guard guard(skippedLock_);
  skipped_.emplace_back(std::move(path), std::move(reason));
}

std::vector<std::pair<std::string, std::string>> ScanReports::skipped() const {
  std::lock_guard guard(skippedLock_);
  return skipped_;
}

void ScanReports::clear() {
  {
    std::lock_guard guard(skippedLock_);
    skipped_.clear();
  }
  for (List& list : lists_) {
    std::lock_guard guard(list.lock);
    list.lines.clear();
  }
  std::lock_guard guard(titlesLock_);
  titles_.clear();
}

void removeScanReportFiles() {
  for (size_t index = 0; index < kScanReportCount; ++index) gf_removeFile(scanReportFile(static_cast<ScanReport>(index)));
}

void writeScanReports(const ScanReports& reports) {
  constexpr std::array kErrors = {ScanReport::InvalidAirlineCodes, ScanReport::InvalidAircraftCodes, ScanReport::Fixes,
                                  ScanReport::InvalidAircraftCfgFiles, ScanReport::IncompleteFltsimSections};
  const bool anyError =
      std::any_of(kErrors.begin(), kErrors.end(), [&](ScanReport report) { return !reports.lines(report).empty(); });
  if (!anyError) writeLog("\nNo errors");
  if (anyError) writeLog("\nErrors:");
  std::vector<std::string> lines;
  for (ScanReport report : kErrors) {
    if (reports.lines(report).empty()) continue;
    const std::string file = sortedReport(reports, report, lines);
    const size_t count = lines.size();
    switch (report) {
      case ScanReport::InvalidAirlineCodes:
        writeLog(fmt::format("{} invalid airline code{}, see {}", count, plural(count), file));
        break;
      case ScanReport::InvalidAircraftCodes:
        writeLog(fmt::format("{} invalid model code{}, see {}", count, plural(count), file));
        break;
      case ScanReport::Fixes:
        writeLog(fmt::format("{} code fixes, see {}", count, file));
        break;
      case ScanReport::InvalidAircraftCfgFiles:
        writeLog(fmt::format("{} invalid aircraft.cfg files, see {}", count, file));
        break;
      default:
        writeLog(fmt::format("{} incomplete [fltsim.x] sections, see {}", count, file));
        break;
    }
  }
  const bool anyInformation = !reports.lines(ScanReport::NoFltsimSection).empty() ||
                              !reports.lines(ScanReport::AirlineModelConversions).empty();
  if (!anyInformation) return;
  writeLog("\nInformation:");
  if (!reports.lines(ScanReport::NoFltsimSection).empty()) {
    const std::string file = sortedReport(reports, ScanReport::NoFltsimSection, lines);
    writeLog(fmt::format("{} empty aircraft.cfg files, see {}", lines.size(), file));
  }
  if (!reports.lines(ScanReport::AirlineModelConversions).empty()) {
    const std::string file = sortedReport(reports, ScanReport::AirlineModelConversions, lines);
    writeLog(fmt::format("{} liveries updated with real live data from dbase, see {}", lines.size(), file));
  }
}

}  // namespace tfx
