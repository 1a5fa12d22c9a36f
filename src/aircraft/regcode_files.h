#pragma once
// Reading the files that tie registrations to livery titles: the shipped AIG
// list (XML) and the user's own text files in input/my_regcodes.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tfx {

struct RegcodeEntry {
  std::string title;
  std::vector<std::string> registrations;  // sorted, without repeats
  bool special = false;
};

struct RegcodeRead {
  std::vector<RegcodeEntry> entries;
  bool failed = false;  // some element or line was bad; the rest is kept
};

// The AIG list, already decrypted. A document that cannot be loaded logs
// "Failed to load {}" and gives a failed read without entries.
RegcodeRead readAigRegcodeFile(const std::filesystem::path& plainFile);

// The lines of one user file: "title", "title;REG1,REG2" or "title;REGS;#".
void readUserRegcodeLines(const std::vector<std::string>& lines, std::string_view fileName, RegcodeRead& read);

// Every *.TXT file of the folder, in name order.
RegcodeRead readUserRegcodeFolder(const std::filesystem::path& folder);

// Entries without registrations name titles the scan must leave out.
std::vector<std::string> dontUseTitlesOf(const RegcodeRead& read);

}  // namespace tfx
