#pragma once
// Blanks around words of configuration and data files.
#include <string>
#include <string_view>

namespace tfx {

// Without blanks, tabs, carriage returns and line feeds at both ends.
std::string_view trimBlanks(std::string_view text);

// ASCII letters in lower case, for keys compared without regard to case.
std::string lowerAscii(std::string_view text);

}  // namespace tfx
