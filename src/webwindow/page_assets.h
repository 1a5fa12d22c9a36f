#pragma once
// The page of the web window, built into the program: nothing is loaded from elsewhere.
#include <string_view>

namespace tfx::webwindow {

struct PageAsset {
  std::string_view path;
  std::string_view contentType;
  std::string_view content;
};

// The asset served at this path ("/" is the page itself), or none.
const PageAsset* findPageAsset(std::string_view path);

}  // namespace tfx::webwindow
