#pragma once
// What the livery scan collects besides liveries: the lines of its report
// files and the set of titles taken so far. Every scan task adds to them;
// each list has its own lock, held only for one insertion.
#include <array>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tfx {

enum class ScanReport : size_t {
  InvalidAirlineCodes,
  InvalidAircraftCodes,
  Fixes,
  InvalidAircraftCfgFiles,
  IncompleteFltsimSections,
  NoFltsimSection,
  AirlineModelConversions,
};
inline constexpr size_t kScanReportCount = 7;

// The report's file: output/errors/... or output/info/...
std::filesystem::path scanReportFile(ScanReport report);

class ScanReports {
 public:
  void add(ScanReport report, std::string line);
  std::vector<std::string> lines(ScanReport report) const;
  // False when the title was taken before (by this or another task).
  bool claimTitle(std::string_view title);
  // A file or folder the scan could not read; logged, kept for the summary.
  void skip(std::string path, std::string reason);
  std::vector<std::pair<std::string, std::string>> skipped() const;
  void clear();

 private:
  struct List {
    mutable std::mutex lock;
    std::vector<std::string> lines;
  };
  std::array<List, kScanReportCount> lists_;
  mutable std::mutex skippedLock_;
  std::vector<std::pair<std::string, std::string>> skipped_;
  std::mutex titlesLock_;
  std::unordered_set<std::string> titles_;
};

// Deletes the report files of an earlier scan.
void removeScanReportFiles();

// Sorts and writes every non-empty list to its file and logs the summary
// lines ("\nNo errors" or "\nErrors:" ..., then "\nInformation:" ...).
void writeScanReports(const ScanReports& reports);

}  // namespace tfx
