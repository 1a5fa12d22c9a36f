#pragma once
// The livery of a live or static aircraft chosen by the program's livery
// matching, and the titles the simulator refused handed back to it.
#include "aircraft/livery_catalogue.h"
#include "traffic/traffic_links.h"

namespace tfx {

class CatalogueLivery final : public LiveryMatcher {
 public:
  explicit CatalogueLivery(LiveryCatalogue& catalogue) : catalogue_(catalogue) {}

  std::optional<std::string_view> findLiveryLiveAc(const LiveryQuery& query) override;
  void liveryRefused(const LiveryQuery& query, std::string_view title) override;
  std::optional<std::string_view> findLiveryStaticAc(const LiveryQuery& query) override;

 private:
  LiveryCatalogue& catalogue_;
};

}  // namespace tfx
