#pragma once
// Writing stand files: every attribute of every stand, or only what a learned
// file keeps.
#include <filesystem>
#include <span>
#include <string>

#include "airports/park_stands.h"

namespace tfx::airports {

// All: every stand with every attribute and option. Changes (a learned
// file): of each stand its corrections and the options the stand file does
// not hold; a stand with none of them is left out. A handmade file is always
// written whole.
enum class StandFileMode { All, Changes };

struct StandFileContent {
  std::span<const Stand> stands;
  const AirportFileInfo& info;
  bool handmade = false;
  QualityFactor quality{};  // written for a handmade file only
  std::string bglPath{};  // the scenery file a generated file was made from
};

// The file's text as gf_writeAirportFile writes it.
std::string standFileText(const StandFileContent& content, StandFileMode mode);
// The same into `text`, replacing what it held but keeping its room.
void standFileText(const StandFileContent& content, StandFileMode mode, std::string& text);

// Writes to a temporary name and renames it over the path; false (and the
// old file untouched) on any failure.
bool gf_writeAirportFile(const StandFileContent& content, const std::filesystem::path& path, StandFileMode mode);

}  // namespace tfx::airports
