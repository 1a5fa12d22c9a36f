#pragma once
// The two value rules shared by the program's XML files: booleans and
// comma-separated list attributes.
#include <string>
#include <string_view>
#include <vector>

namespace tfx {

// True when the first character is 1, t, T, y or Y.
bool xmlBool(std::string_view text);

// Splits at every comma and trims blanks, tabs, CR and LF from each item.
// Empty items between two commas stay as empty strings; an empty text gives
// no items at all.
std::vector<std::string> splitListAttribute(std::string_view text);

}  // namespace tfx
