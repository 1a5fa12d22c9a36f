#include "data/version_check.h"

#include <fmt/format.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "core/folders.h"
#include "core/log.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "data/curl_session.h"
#include "data/data_file_update.h"
#include "data/data_versions.h"
#include "data/download.h"
#include "data/file_remover.h"

namespace tfx {
namespace {

constexpr std::string_view kVersionsFile = "versions.json";

struct DataSet {
  std::string_view member;
  std::string_view fileName;
  StringParameter& version;
  const DataFileCheck& check;
};

// A fresh install has recorded no version yet: whatever the site publishes is
// newer than what it has.
DataVersion localVersion(const StringParameter& parameter) {
  const std::string text = parameter.value();
  return text.empty() ? DataVersion{} : DataVersion::parse(text);
}

DataVersion remoteVersion(const nlohmann::json& entry) {
  return DataVersion{entry.at("major").get<long long>(), entry.at("minor").get<long long>(),
                     entry.at("patch").get<long long>()};
}

void checkDataSet(const nlohmann::json& versions, const DataSet& set, std::string_view baseUrl) {
  if (!versions.contains(set.member)) {
    writeLog(fmt::format("{} version not found", set.member));
    return;
  }
  const DataVersion remote = remoteVersion(versions.at(set.member));
  const DataVersion local = localVersion(set.version);
  const std::filesystem::path localFile = paths::input / set.fileName;
  if (!(remote > local) && std::filesystem::exists(localFile)) {
    writeLog(fmt::format("{} version up-to-date", set.member));
    return;
  }
  // The download replaces the installed file, and its version is recorded,
  // only once it reads; a damaged one must not stop later starts.
  const std::filesystem::path download = downloadSideFile(localFile);
  if (!gf_downloadByName(set.fileName, download, baseUrl)) return;
  try {
    set.check(download);
  } catch (const std::exception& error) {
    writeLog(fmt::format("{} {} from the web site is not usable ({}), keeping the installed file", set.member,
                         remote.text(), error.what()));
    gf_removeFile(download);
    return;
  }
  installDataFile(download, localFile);
  set.version.set(remote.text());
  saveParameter(set.version);
  writeLog(fmt::format("{} updated to {}", set.member, remote.text()));
}

}  // namespace

void gf_checkDataVersions(const DataFileChecks& checks, std::string_view baseUrl) {
  {
    CurlHandle handle = makeCurlHandle();
    if (!gf_download(handle.get(), fmt::format("{}{}", baseUrl, kVersionsFile), kVersionsFile, false)) {
      writeLog("Downloading version info from my web site failed!");
      return;
    }
  }
  std::ifstream file{std::filesystem::path(kVersionsFile)};
  if (!file.is_open()) {
    writeLog("Cannot open versions.json");
    return;
  }
  // A proxy or captive portal may answer with a page of its own: that is a
  // failed download, not a reason to stop the start.
  try {
    const nlohmann::json versions = nlohmann::json::parse(file);
    const DataSet sets[] = {{"aig", "AIG-regcodes.enc", AIG_VERSION, checks.aig},
                            {"dbase", "dbase.enc", DBASE_VERSION, checks.dbase}};
    for (const DataSet& set : sets) checkDataSet(versions, set, baseUrl);
  } catch (const nlohmann::json::exception& error) {
    writeLog(fmt::format("The version info from my web site is not readable: {}", error.what()));
  }
}

}  // namespace tfx
