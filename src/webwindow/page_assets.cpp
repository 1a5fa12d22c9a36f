#include "webwindow/page_assets.h"

#include <algorithm>
#include <span>

namespace tfx::webwindow {

// Generated from the files of page/ at configure time.
std::span<const PageAsset> embeddedPageAssets();

const PageAsset* findPageAsset(std::string_view path) {
  const auto assets = embeddedPageAssets();
  const auto found =
      std::find_if(assets.begin(), assets.end(), [&](const PageAsset& asset) { return asset.path == path; });
  return found == assets.end() ? nullptr : &*found;
}

}  // namespace tfx::webwindow
