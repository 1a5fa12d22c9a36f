#include "traffic/catalogue_livery.h"

namespace tfx {
namespace {

LiveryRequest requestOf(const LiveryQuery& query) {
  return {.airline = query.airline,
          .type = query.type,
          .registration = query.registration,
          .category = static_cast<AircraftCategory>(query.category),
          .cargo = query.cargo,
          .description = query.description,
          .name = query.name};
}

}  // namespace

std::optional<std::string_view> CatalogueLivery::findLiveryLiveAc(const LiveryQuery& query) {
  const LiveryMatch match = catalogue_.matcher.findLiveryLiveAc(requestOf(query));
  // A title the simulator refused before is never handed out again: the
  // aircraft counts as one without livery.
  if (match.title.empty() || catalogue_.matcher.failedTitle(match.title)) return std::nullopt;
  return match.title;
}

std::optional<std::string_view> CatalogueLivery::findLiveryStaticAc(const LiveryQuery& query) {
  // Matching itself passes over the refused titles for static aircraft.
  const LiveryMatch match = catalogue_.matcher.findLiveryStaticAc(requestOf(query));
  if (match.title.empty()) return std::nullopt;
  return match.title;
}

// Decided here: matching keeps the refused titles themselves, which is what
// its summary lists and what its searches compare, rather than the aircraft's key.
void CatalogueLivery::liveryRefused(const LiveryQuery&, std::string_view title) {
  catalogue_.matcher.addFailedTitle(title);
}

}  // namespace tfx
