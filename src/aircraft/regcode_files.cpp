#include "aircraft/regcode_files.h"

#include <fmt/format.h>
#include <pugixml.hpp>

#include <algorithm>

#include "core/log.h"
#include "core/text_files.h"
#include "core/text_trim.h"
#include "core/xml_values.h"

namespace tfx {
namespace {

constexpr size_t kMinRegistrationLength = 3;
constexpr size_t kMaxRegistrationLength = 12;

std::vector<std::string> sortedRegistrations(std::vector<std::string> registrations) {
  std::erase_if(registrations, [](const std::string& registration) { return registration.empty(); });
  std::sort(registrations.begin(), registrations.end());
  registrations.erase(std::unique(registrations.begin(), registrations.end()), registrations.end());
  return registrations;
}

std::vector<std::string_view> splitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  while (true) {
    const size_t separator = line.find(';', start);
    fields.push_back(trimBlanks(line.substr(start, separator == std::string_view::npos ? std::string_view::npos
                                                                                      : separator - start)));
    if (separator == std::string_view::npos) return fields;
    start = separator + 1;
  }
}

std::string_view livery(size_t count) { return count == 1 ? "livery" : "liveries"; }

}  // namespace

RegcodeRead readAigRegcodeFile(const std::filesystem::path& plainFile) {
  RegcodeRead read;
  pugi::xml_document document;
  if (!document.load_file(plainFile.c_str())) {
    writeLog(fmt::format("Failed to load {}", plainFile.string()));
    read.failed = true;
    return read;
  }
  std::string previousTitle;
  for (pugi::xml_node node : document.child("AIG-regcodes").children("livery")) {
    const std::string title(trimBlanks(node.attribute("title").as_string()));
    if (title.empty()) continue;
    if (title == previousTitle) {
      writeLog(fmt::format("SAME AS PREVIOUS title '{}'", title));
      read.failed = true;
    }
    previousTitle = title;
    read.entries.push_back(RegcodeEntry{title, sortedRegistrations(splitListAttribute(node.attribute("reg").as_string())),
                                        xmlBool(node.attribute("special").as_string())});
  }
  writeLog(fmt::format("{} {} read from {}", read.entries.size(), livery(read.entries.size()), plainFile.string()));
  return read;
}

void readUserRegcodeLines(const std::vector<std::string>& lines, std::string_view fileName, RegcodeRead& read) {
  for (const std::string& line : lines) {
    if (trimBlanks(line).empty()) continue;
    const std::vector<std::string_view> fields = splitFields(line);
    if (fields.size() == 1) {
      read.entries.push_back(RegcodeEntry{std::string(fields[0]), {}, false});
      continue;
    }
    if (fields.size() > 3 || fields[0].empty()) {
      writeLog(fmt::format("{}: wrong format '{}'", fileName, line));
      read.failed = true;
      continue;
    }
    std::vector<std::string> registrations;
    for (std::string& registration : splitListAttribute(fields[1])) {
      if (registration.size() < kMinRegistrationLength || registration.size() > kMaxRegistrationLength) {
        writeLog(fmt::format("wrong regcode length '{}' in {}", registration, fileName));
        continue;
      }
      registrations.push_back(std::move(registration));
    }
    if (registrations.empty()) {
      writeLog(fmt::format("{} ; regs empty?", fields[0]));
      continue;
    }
    // A third field other than '#' leaves the entry an ordinary one.
    const bool special = fields.size() == 3 && fields[2] == "#";
    read.entries.push_back(RegcodeEntry{std::string(fields[0]), sortedRegistrations(std::move(registrations)), special});
  }
}

RegcodeRead readUserRegcodeFolder(const std::filesystem::path& folder) {
  RegcodeRead read;
  try {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.is_regular_file() && lowerAscii(entry.path().extension().string()) == ".txt") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files) {
      writeLog(fmt::format("Processing regcodes file '{}'", file.string()));
      std::vector<std::string> lines;
      if (!gf_readExtTextFileToStringVector(file, lines)) {
        read.failed = true;
        continue;
      }
      readUserRegcodeLines(lines, file.string(), read);
    }
  } catch (const std::filesystem::filesystem_error& error) {
    writeLog(fmt::format("Error reading regcode files in {}, what: {}", folder.string(), error.what()));
    read.failed = true;
  }
  writeLog(fmt::format("{} {}", read.entries.size(), livery(read.entries.size())));
  return read;
}

std::vector<std::string> dontUseTitlesOf(const RegcodeRead& read) {
  std::vector<std::string> titles;
  for (const RegcodeEntry& entry : read.entries) {
    if (entry.registrations.empty()) titles.push_back(entry.title);
  }
  return titles;
}

}  // namespace tfx
