#pragma once
// The start-up check of the shipped data sets against the download site.
#include <string_view>

#include "data/download_site.h"

namespace tfx {

// Downloads versions.json into the current folder and, for "aig" and then
// "dbase", downloads the data file into input/ when the published version is
// newer than AIG_VERSION / DBASE_VERSION or the local file is missing, then
// records and saves the new version. A site that cannot be reached is logged
// ("Downloading version info from my web site failed!") and the program goes
// on with what it has. JSON and file-system errors are thrown to the caller.
void gf_checkDataVersions(std::string_view baseUrl = kDownloadBaseUrl);

}  // namespace tfx
