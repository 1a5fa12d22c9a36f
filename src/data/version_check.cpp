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
#include "data/data_versions.h"
#include "data/download.h"

namespace tfx {
namespace {

constexpr std::string_view kVersionsFile = "versions.json";

struct DataSet {
  std::string_view member;
  std::string_view fileName;
  StringParameter& version;
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
  if (!gf_downloadByName(set.fileName, localFile, baseUrl)) return;
  set.version.set(remote.text());
  saveParameter(set.version);
  writeLog(fmt::format("{} updated to {}", set.member, remote.text()));
}

}  // namespace

void gf_checkDataVersions(std::string_view baseUrl) {
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
  const nlohmann::json versions = nlohmann::json::parse(file);
  const DataSet sets[] = {{"aig", "AIG-regcodes.enc", AIG_VERSION}, {"dbase", "dbase.enc", DBASE_VERSION}};
  for (const DataSet& set : sets) checkDataSet(versions, set, baseUrl);
}

}  // namespace tfx
