#pragma once
// The "meta" block the program writes into its own XML data files: who wrote
// the file, with which version, when, and for which simulator family.
#include <pugixml.hpp>

#include <optional>
#include <string>
#include <string_view>

#include "core/xml_text.h"

namespace tfx {

// "P3D" for this program; set by the scans before any data file is written.
std::string simulatorFamily();
void setSimulatorFamily(std::string_view family);

void writeMetaBlock(pugi::xml_document& document);
void writeMetaBlock(XmlTextWriter& writer);

// The value of /meta/info[@name=key]; nullopt when there is none.
std::optional<std::string> readMetaInfo(const pugi::xml_document& document, std::string_view key);

}  // namespace tfx
