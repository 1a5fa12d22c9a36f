#pragma once
// One BGL file of the airport scan: its airports with the text of their
// generated stand files. Runs on a worker task.
#include <filesystem>
#include <string>
#include <vector>

#include "scan/scan_log.h"

namespace tfx::scan {

// An airport record as its generated file. The scan holds the records until
// the last file is read, so the file's text stands in for the stands, and
// on a rescan mostly not even that.
struct FoundAirport {
  std::string ident;
  std::string kind;  // the publisher the BGL path names
  int positions = 0;
  int helipads = 0;
  std::string bgl;
  bool unchanged = false;  // the last complete scan's file holds the text
  std::string text;        // the generated stand file, unless unchanged
};

struct BglFileResult {
  bool scenery = false;
  std::string damage;  // why the file was given up; empty when it was read
  std::vector<FoundAirport> airports;  // records with a valid ident only
};

// Never throws: a damaged or unreadable file is logged as
// "Exception in lf_processBGLfile: {}" and yields no airport.
BglFileResult lf_processBGLfile(const std::filesystem::path& bgl, ScanLog& log);

}  // namespace tfx::scan
