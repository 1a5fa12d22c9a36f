// Every input is a user registration-code file, split into lines as the
// reader splits a text file (CR LF ends a line), and also an AIG list. Bad
// lines are logged and skipped; every entry kept must keep the format's
// promises.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "aircraft/regcode_files.h"

namespace {

using namespace tfx;

void require(bool promise) {
  if (!promise) __builtin_trap();
}

std::vector<std::string> linesOf(std::string_view bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string line(bytes.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

void checkEntries(const RegcodeRead& read, bool userFile) {
  for (const RegcodeEntry& entry : read.entries) {
    require(!entry.title.empty());
    require(std::is_sorted(entry.registrations.begin(), entry.registrations.end()));
    require(std::adjacent_find(entry.registrations.begin(), entry.registrations.end()) == entry.registrations.end());
    for (const std::string& registration : entry.registrations) {
      require(!registration.empty());
      if (userFile) require(registration.size() >= 3 && registration.size() <= 12);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  RegcodeRead user;
  readUserRegcodeLines(linesOf(bytes), "fuzz.txt", user);
  checkEntries(user, true);
  static const std::filesystem::path file =
      (std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path()) / ("regcode_file_fuzz_" + std::to_string(::getpid()) + ".xml");
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(size));
  checkEntries(readAigRegcodeFile(file), false);
  return 0;
}
