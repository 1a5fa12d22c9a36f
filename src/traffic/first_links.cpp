#include "traffic/first_links.h"

namespace tfx {

std::optional<std::string_view> DefaultLivery::findLiveryLiveAc(const LiveryQuery&) { return kDefaultLiveryTitle; }

}  // namespace tfx
