#include "data/download.h"

#include <fmt/format.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "core/log.h"
#include "data/curl_session.h"

namespace tfx {
namespace {

// Without internet the start must go on within seconds; a stalled server is
// given up after half a minute without a byte.
constexpr long kConnectTimeoutSeconds = 5;
constexpr long kStallSeconds = 30;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The file the bytes go to, made when the first of them arrive: a download
// that fails at once (mostly a file the site does not have) leaves no file
// behind and costs the file system nothing.
struct PartialFile {
  std::filesystem::path path;
  const char* mode;
  FileHandle file{};
  bool openFailed = false;

  bool open() {
    if (!file && !openFailed) file.reset(std::fopen(path.c_str(), mode));
    openFailed = !file;
    return !openFailed;
  }
};

size_t writeBlock(char* data, size_t size, size_t count, void* target) {
  PartialFile& partial = *static_cast<PartialFile*>(target);
  if (!partial.open()) return 0;
  return std::fwrite(data, size, count, partial.file.get());
}

std::filesystem::path partialName(const std::filesystem::path& outputFile) {
  std::filesystem::path partial = outputFile;
  partial += ".download";
  return partial;
}

bool transfer(CURL* handle, const std::string& url, PartialFile& file) {
  curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  curl_easy_setopt(handle, CURLOPT_USERAGENT, "ASHD");
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, writeBlock);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &file);
  curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
  return curl_easy_perform(handle) == CURLE_OK;
}

}  // namespace

bool gf_download(CURL* handle, const std::string& url, const std::filesystem::path& outputFile, bool binary) {
  if (handle == nullptr) return false;
  const std::filesystem::path partial = partialName(outputFile);
  try {
    // A target folder that is not there is known before the site is asked.
    std::error_code error;
    const std::filesystem::path folder = partial.parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, error)) {
      writeLog(fmt::format("Could not open output file: {}", outputFile.string()));
      return false;
    }
    PartialFile file{.path = partial, .mode = binary ? "wb" : "w"};
    // An empty file arrives without bytes.
    bool complete = transfer(handle, url, file) && file.open();
    if (file.openFailed) writeLog(fmt::format("Could not open output file: {}", outputFile.string()));
    if (!file.file) return false;
    complete = std::fclose(file.file.release()) == 0 && complete;
    if (complete) std::filesystem::rename(partial, outputFile, error);
    const bool stored = complete && !error;
    if (!stored) std::filesystem::remove(partial, error);
    return stored;
  } catch (const std::exception& error) {
    writeLog(fmt::format("Downloader exception: '{}', {} => {}", error.what(), url, outputFile.string()));
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    return false;
  }
}

bool gf_downloadByName(std::string_view name, const std::filesystem::path& outputFile, std::string_view baseUrl) {
  return gf_downloadByName(makeCurlHandle().get(), name, outputFile, baseUrl);
}

bool gf_downloadByName(CURL* handle, std::string_view name, const std::filesystem::path& outputFile,
                       std::string_view baseUrl) {
  const std::string url = fmt::format("{}{}", baseUrl, name);
  const bool done = gf_download(handle, url, outputFile, true);
  if (done) {
    writeLog(fmt::format("Downloaded '{}' to '{}'", url, outputFile.string()));
  } else {
    writeLog(fmt::format("Downloading '{}' failed !", url));
  }
  return done;
}

}  // namespace tfx
