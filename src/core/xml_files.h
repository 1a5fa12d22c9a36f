#pragma once
// Saving XML documents without ever leaving half a file behind.
#include <pugixml.hpp>

#include <filesystem>
#include <string_view>

namespace tfx {

// Writes to a temporary name beside the target, then renames it over the
// target. No log line; false on any failure.
bool writeXmlAtomically(const pugi::xml_document& document, const std::filesystem::path& path);
// The same for a document's text (see core/xml_text.h).
bool writeXmlAtomically(std::string_view text, const std::filesystem::path& path);

// Writes the text to the file directly; false, and whatever part of the file
// was written, on failure.
bool writeXmlText(std::string_view text, const std::filesystem::path& path);

// As above, and logs "'{}' saved" or "could not save to '{}'".
bool saveXmlFile(const pugi::xml_document& document, const std::filesystem::path& path);

}  // namespace tfx
