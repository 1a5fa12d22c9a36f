#pragma once
// One BGL file of the airport scan: its airports with their stands. Runs on
// a worker task.
#include <filesystem>
#include <string>
#include <vector>

#include "airports/stand.h"
#include "scan/scan_log.h"

namespace tfx::scan {

struct FoundAirport {
  std::string ident;
  std::string name;
  int altitudeFt = 0;
  std::vector<airports::Stand> stands;
  int helipads = 0;
  std::string bgl;
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
