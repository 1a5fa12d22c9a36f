#pragma once
// Reading the parts of a stand file (or a learned file): its meta entries,
// its parameters and its stands.
#include <pugixml.hpp>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "airports/stand.h"

namespace tfx::airports {

// The value of /parameters/parameter[@name=name]; none when it is missing.
std::optional<std::string> standFileParameter(const pugi::xml_document& document, std::string_view name);
int standFileInt(const pugi::xml_document& document, std::string_view name, int missing);

// The author, date and version entries that every stand file carries.
bool hasRequiredMeta(const pugi::xml_document& document);

// A stand from a parkpos element with its options (numbered from 1)
// of the given origin; none for a stand at 0,0 and, logged, for one whose
// position or radius is not a finite number.
std::optional<Stand> readStandElement(const pugi::xml_node parkpos, int origin);
// Appends the option of an opt element, numbered after the stand's last one.
void appendOptionElement(const pugi::xml_node opt, int origin, Stand& stand);

// Every stand of the first top-level parkpositions element, in file order.
// Throws UserErrorException 94 when an id appears twice.
std::vector<Stand> readStandList(const pugi::xml_document& document, int origin);

// Headings are kept as read; this brings one into [0, 2 pi) where it is used.
double normalizedHeading(double radians);

}  // namespace tfx::airports
