#pragma once
// Saving XML documents without ever leaving half a file behind.
#include <pugixml.hpp>

#include <filesystem>

namespace tfx {

// Writes to a temporary name beside the target, then renames it over the
// target. No log line; false on any failure.
bool writeXmlAtomically(const pugi::xml_document& document, const std::filesystem::path& path);

// As above, and logs "'{}' saved" or "could not save to '{}'".
bool saveXmlFile(const pugi::xml_document& document, const std::filesystem::path& path);

}  // namespace tfx
