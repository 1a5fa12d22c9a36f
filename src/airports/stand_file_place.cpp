#include "airports/stand_file_place.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "core/folders.h"
#include "core/text_files.h"
#include "core/text_trim.h"
#include "data/download.h"
#include "data/file_remover.h"

namespace tfx::airports {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kXml = ".xml";

// A code is a file name; one that could leave the folder names no file.
bool usableCode(std::string_view code) {
  return !code.empty() && code.find_first_of("/\\") == std::string_view::npos && code != "." && code != "..";
}

// The first line of CODE.txt names the stand file to use, up to its ".xml".
std::string linkedFile(const fs::path& link) {
  std::error_code error;
  if (!fs::is_regular_file(link, error)) return {};
  std::vector<std::string> lines;
  if (!gf_readExtTextFileToStringVector(link, lines) || lines.empty()) return {};
  std::string_view line = lines.front();
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.remove_suffix(1);
  const size_t xml = line.find(kXml);
  if (line.size() < 4 || xml == std::string_view::npos) return {};
  return std::string(line.substr(0, xml + kXml.size()));
}

std::string fileInFolder(const fs::path& folder, std::string_view code) {
  if (std::string linked = linkedFile(folder / fmt::format("{}.txt", code)); !linked.empty()) return linked;
  const fs::path file = folder / fmt::format("{}{}", code, kXml);
  std::error_code error;
  return fs::is_regular_file(file, error) ? file.generic_string() : std::string();
}

void replaceFirst(std::string& text, std::string_view from, std::string_view to) {
  if (const size_t at = text.find(from); at != std::string::npos) text.replace(at, from.size(), to);
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// The publisher is text from the stand file itself and names one folder: a
// separator or a name of dots in it could lead the learned file out of the
// learned folder, so those characters become '_'.
std::string publisherFolder(std::string_view publisher) {
  std::string folder(publisher);
  std::replace_if(folder.begin(), folder.end(), [](char c) { return c == '/' || c == '\\' || c == ':'; }, '_');
  if (!folder.empty() && folder.find_first_not_of('.') == std::string::npos) std::replace(folder.begin(), folder.end(), '.', '_');
  return folder;
}

bool insideLearnedFolder(const fs::path& path) {
  const fs::path normal = path.lexically_normal();
  const auto [end, unused] = std::mismatch(paths::learned.begin(), paths::learned.end(), normal.begin(), normal.end());
  return end == paths::learned.end() && !normal.has_root_path();
}

}  // namespace

std::string gf_findAirportFile(std::string_view code, std::string_view baseUrl) {
  if (!usableCode(code)) return {};
  for (const fs::path& folder : {paths::myThirdparty, paths::myOrbx}) {
    if (std::string file = fileInFolder(folder, code); !file.empty()) return file;
  }
  const std::string archived = fmt::format("archive/stock/{}{}", code, kXml);
  const fs::path probe = fmt::format("{}{}", code, kXml);
  const bool published = gf_downloadByName(fmt::format("{}{}", kStandFileSiteFolder, archived), probe, baseUrl);
  gf_removeFile(probe);
  return published ? archived : std::string();
}

bool isLocalStandFile(std::string_view standFile) { return standFile.starts_with("airports"); }

std::string gf_learnedFilePath(std::string_view standFile, std::string_view rawPublisher) {
  const std::string publisher = publisherFolder(rawPublisher);
  std::string path(standFile);
  const std::string learned = paths::learned.generic_string();
  if (path.find("archive") != std::string::npos) {
    replaceFirst(path, "archive", learned);
    replaceAll(path, "\\", "/");
  } else if (isLocalStandFile(path)) {
    replaceFirst(path, "airports", learned);
    const std::string thirdparty = fmt::format("thirdparty/{}", publisher);
    if (path.find("my_thirdparty2024") != std::string::npos) {
      replaceFirst(path, "my_thirdparty2024", thirdparty);
    } else {
      replaceFirst(path, "my_thirdparty", thirdparty);
    }
  }
  replaceAll(path, "%20", " ");
  // A link may name a file outside the program's folders, or lead out of them
  // with "..": its learned file still goes below the learned folder, never
  // over the stand file itself.
  if (!insideLearnedFolder(path)) {
    path = (paths::learnedThirdparty / publisher / fs::path(path).filename()).generic_string();
  }
  return path;
}

}  // namespace tfx::airports
