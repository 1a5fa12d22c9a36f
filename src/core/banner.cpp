#include "core/banner.h"

namespace tfx {

std::string makeBanner(int width, int extra, bool leadingNewline, bool trailingNewline, std::string_view title) {
  std::string banner = leadingNewline ? "\n" : "";
  int stars = width + extra;
  stars += stars % 2;
  if (title.empty()) {
    banner.append(static_cast<size_t>(stars), '*');
  } else if (static_cast<int>(title.size()) + 2 < stars) {
    const std::string side(static_cast<size_t>(stars / 2 - 1), '*');
    banner += side;
    banner += ' ';
    banner += title;
    banner += ' ';
    banner += side;
  } else {
    banner += title;
  }
  if (trailingNewline) banner += '\n';
  return banner;
}

}  // namespace tfx
