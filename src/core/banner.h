#pragma once
// Star banners that frame sections of the log.
#include <string>
#include <string_view>

namespace tfx {

// width + extra, rounded up to even, of '*' around the title.
std::string makeBanner(int width, int extra, bool leadingNewline, bool trailingNewline, std::string_view title);

}  // namespace tfx
