#include "scan/offline_learning.h"

#include <fmt/format.h>
#include <pugixml.hpp>

#include <algorithm>

#include "airports/stand_file_format.h"
#include "airports/stand_file_place.h"
#include "core/folders.h"
#include "core/message_line.h"
#include "data/curl_session.h"
#include "data/download.h"
#include "data/file_remover.h"

namespace tfx::scan {
namespace {

namespace fs = std::filesystem;

constexpr int kLearnedWeeks = 26;

// Whether the stock archive's file for the code has been learned from live
// traffic long enough to learn the add-on's stands from it.
bool stockFileLearned(CURL* handle, const std::string& code, std::string_view baseUrl, ScanLog& log) {
  const std::string name = fmt::format("{}archive/stock/{}.xml", airports::kStandFileSiteFolder, code);
  const fs::path scratch = paths::tblo / fmt::format("{}.stock", code);
  bool learned = false;
  pugi::xml_document document;
  if (!gf_downloadByName(handle, name, scratch, baseUrl)) {
    log.line(fmt::format("Failed to download {}", name));
  } else if (!document.load_file(scratch.c_str())) {
    log.line(fmt::format("Failed to load {}", name));
  } else {
    const bool quality = airports::standFileInt(document, "Qf_real", -1) >= 0 ||
                         airports::standFileInt(document, "Qf_soft", -1) >= 0;
    learned = quality && airports::standFileInt(document, "RT_traffic_week", 0) > kLearnedWeeks;
  }
  gf_removeFile(scratch);
  return learned;
}

}  // namespace

std::vector<std::string> offlineLearning(const fs::path& folder, std::string_view kindName, std::string_view baseUrl,
                                         ScanLog& log) {
  std::vector<fs::path> generated;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file() && entry.path().extension() == ".xml") generated.push_back(entry.path());
  }
  std::sort(generated.begin(), generated.end());
  std::vector<std::string> copied;
  const CurlHandle handle = makeCurlHandle();
  for (const fs::path& file : generated) {
    if (!stockFileLearned(handle.get(), file.stem().string(), baseUrl, log)) {
      log.line(fmt::format("{} not suitable for offline learning", file.generic_string()));
      continue;
    }
    std::error_code error;
    fs::copy_file(file, paths::tblo / file.filename(), fs::copy_options::overwrite_existing, error);
    if (error) {
      log.error(fmt::format("'{}' failed to copy '{}'", error.message(), file.generic_string()));
      continue;
    }
    log.line(fmt::format("{} copied to {}", file.generic_string(), paths::tblo.generic_string()));
    copied.push_back(file.filename().string());
  }
  if (copied.empty()) {
    showMessage(fmt::format("All your {} airports are done, no off line learning needed.", kindName));
  } else {
    showMessage(fmt::format("zip folder '{}', and mail to {}", fs::absolute(paths::tblo).string(), kSupportAddress));
  }
  return copied;
}

}  // namespace tfx::scan
