#include "aircraft/regcode_set_up.h"

#include <fmt/format.h>

#include <optional>

#include "core/folders.h"
#include "core/log.h"
#include "core/report_file.h"
#include "data/file_remover.h"
#include "data/stream_decrypt.h"

namespace tfx {
namespace {

std::string_view plural(size_t count) { return count == 1 ? "" : "s"; }

// The AIG list lives decrypted only while it is read.
std::optional<RegcodeRead> readAigList() {
  if (!std::filesystem::exists(paths::aigRegcodesEnc)) return std::nullopt;
  if (!gf_streamDecrypt(paths::aigRegcodesEnc, paths::aigRegcodesXml)) return std::nullopt;
  PlainFileGuard guard(paths::aigRegcodesXml);
  return readAigRegcodeFile(paths::aigRegcodesXml);
}

}  // namespace

TitleSet readDontUseTitles() {
  TitleSet titles;
  if (std::optional<RegcodeRead> aig = readAigList()) {
    const std::vector<std::string> found = dontUseTitlesOf(*aig);
    titles.insert(found.begin(), found.end());
    writeLog(fmt::format("{} don't use title{} read", found.size(), plural(found.size())));
    if (aig->failed) {
      writeLog(fmt::format("There were errors in processing the file '{}', see the Log.txt", paths::aigRegcodesXml.string()));
    }
  }
  if (std::filesystem::exists(paths::myRegcodes)) {
    const RegcodeRead user = readUserRegcodeFolder(paths::myRegcodes);
    const std::vector<std::string> found = dontUseTitlesOf(user);
    titles.insert(found.begin(), found.end());
    writeLog(fmt::format("{} don't use title{} read from files in {}", found.size(), plural(found.size()),
                         paths::myRegcodes.string()));
    if (user.failed) {
      writeLog(fmt::format("There were errors in processing the regcode files in folder '{}', see the Log.txt",
                           paths::myRegcodes.string()));
    }
  }
  return titles;
}

std::vector<std::string> lf_processInlineRegcodes(const LiveryList& liveries, LiveryTables& tables) {
  std::vector<std::string> clashes;
  for (const LiveryData& livery : liveries) {
    if (livery.atcId.empty()) continue;
    const std::string_view title = tables.storedTitle(livery.title);
    if (title.empty()) {
      writeLog(fmt::format("==> [{}] {} '{}' not available, system error, should not happen?", livery.airline,
                           livery.atcId, livery.title));
      continue;
    }
    const std::string_view holder = tables.specialLivery(livery.atcId);
    if (holder.empty()) {
      tables.setSpecialLivery(livery.atcId, title);
    } else if (holder != title) {
      clashes.push_back(fmt::format("{} '{}' => already in use by '{}'", livery.atcId, title, holder));
    }
  }
  if (!clashes.empty()) {
    const std::filesystem::path file = paths::outputErrors / paths::kInlineRegcodes;
    writeReportLines(file, clashes);
    writeLog(fmt::format("{} in-line regcode clashes, see '{}'", clashes.size(), file.string()));
  }
  return clashes;
}

std::string mergeRegcodes(const std::vector<RegcodeEntry>& entries, LiveryTables& tables,
                          std::vector<std::string>& report) {
  size_t added = 0;
  size_t replaced = 0;
  size_t special = 0;
  for (const RegcodeEntry& entry : entries) {
    const std::string_view title = tables.storedTitle(entry.title);
    if (title.empty()) continue;
    for (const std::string& registration : entry.registrations) {
      if (entry.special) {
        tables.addSpecialRegistration(registration);
        ++special;
      }
      const std::string_view previous = tables.specialLivery(registration);
      if (previous == title) continue;
      tables.setSpecialLivery(registration, title);
      if (previous.empty()) {
        ++added;
      } else {
        report.push_back(fmt::format("   regcode {} for '{}', instead of the same for '{}'", registration, title, previous));
        ++replaced;
      }
    }
    if (entry.special) tables.addSpecialTitle(title);
  }
  std::string summary = fmt::format("{} new regcode{} added", added, plural(added));
  if (replaced > 0) summary += fmt::format(", {} regcode{} replaced", replaced, plural(replaced));
  if (special > 0) summary += fmt::format(", {} regcode{} defined as special", special, plural(special));
  report.push_back(summary);
  writeLog(summary);
  return summary;
}

void lf_processRegcodeFiles(LiveryTables& tables) {
  try {
    const std::optional<RegcodeRead> aig = readAigList();
    if (!aig) return;
    std::vector<std::string> report{fmt::format("Processing file {}", paths::aigRegcodesXml.string())};
    if (aig->failed) {
      report.push_back(fmt::format("There were errors processing the AIG-regcode file '{}', see Log.txt",
                                   paths::aigRegcodesXml.string()));
    }
    mergeRegcodes(aig->entries, tables, report);
    if (std::filesystem::exists(paths::myRegcodes)) {
      report.push_back(fmt::format("Processing files in {}", paths::myRegcodes.string()));
      const RegcodeRead user = readUserRegcodeFolder(paths::myRegcodes);
      if (user.failed) {
        report.push_back(fmt::format("There were errors processing the regcode files in folder '{}', see Log.txt",
                                     paths::myRegcodes.string()));
      }
      mergeRegcodes(user.entries, tables, report);
    }
    const std::filesystem::path file = paths::outputInfo / paths::kOfflineRegcodes;
    if (!report.empty()) {
      writeReportLines(file, report);
      writeLog(fmt::format("Offline regcode files processed, results can be found in '{}'", file.string()));
    } else {
      gf_removeFile(file);
    }
    if (!tables.specialTitles().empty()) writeLog(fmt::format("{} special liveries", tables.specialTitles().size()));
  } catch (const std::exception& error) {
    writeLog(fmt::format("exception: {}", error.what()));
  }
}

}  // namespace tfx
