#pragma once
// The start-up check of the shipped data sets against the download site.
#include <string_view>

#include "data/data_file_update.h"
#include "data/download_site.h"

namespace tfx {

// What a downloaded data set must pass before it replaces the installed one.
struct DataFileChecks {
  DataFileCheck aig = checkDecrypts;
  DataFileCheck dbase = checkDecrypts;
};

// Downloads versions.json into the current folder and, for "aig" and then
// "dbase", downloads the data file beside input/ when the published version is
// newer than AIG_VERSION / DBASE_VERSION or the local file is missing; a file
// that passes its check replaces the installed one (kept as the previous
// file) and its version is recorded and saved. A site that cannot be reached
// or answers with something that is not the version info is logged and the
// program goes on with what it has. A local version text that does not parse
// and file-system errors are thrown to the caller.
void gf_checkDataVersions(const DataFileChecks& checks = {}, std::string_view baseUrl = kDownloadBaseUrl);

}  // namespace tfx
