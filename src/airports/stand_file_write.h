#pragma once
// Writing stand files: every attribute of every stand, or only what a learned
// file keeps.
#include <pugixml.hpp>

#include <filesystem>
#include <span>
#include <string>

#include "airports/park_stands.h"

namespace tfx::airports {

enum class StandFileMode { All, Changes };

struct StandFileContent {
  std::span<const Stand> stands;
  const AirportFileInfo& info;
  bool handmade = false;
  QualityFactor quality{};  // written for a handmade file only
  std::string bglPath{};  // the scenery file a generated file was made from
};

// The document as it would be written.
pugi::xml_document standFileDocument(const StandFileContent& content, StandFileMode mode);

// Writes to a temporary name and renames it over the path; false (and the
// old file untouched) on any failure.
bool gf_writeAirportFile(const StandFileContent& content, const std::filesystem::path& path, StandFileMode mode);

}  // namespace tfx::airports
