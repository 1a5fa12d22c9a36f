#pragma once
// Fetching files from the download site with libcurl.
#include <curl/curl.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "data/download_site.h"

namespace tfx {

// Fetches url into outputFile ("wb" in binary mode, "w" in text mode) with
// the given easy handle. A server error status (400 and above) fails the
// transfer. The received bytes go to a temporary name beside the target and
// replace it only after a complete transfer, so a failed download never
// damages the file that was there. False without a handle or on any failure.
bool gf_download(CURL* handle, const std::string& url, const std::filesystem::path& outputFile, bool binary);

// Downloads baseUrl + name in binary mode with a handle of its own, logging
// "Downloaded '{}' to '{}'" or "Downloading '{}' failed !".
bool gf_downloadByName(std::string_view name, const std::filesystem::path& outputFile,
                       std::string_view baseUrl = kDownloadBaseUrl);
// The same with the caller's handle, which keeps its connection to the site
// from one file to the next.
bool gf_downloadByName(CURL* handle, std::string_view name, const std::filesystem::path& outputFile,
                       std::string_view baseUrl);

}  // namespace tfx
