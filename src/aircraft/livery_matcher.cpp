#include "aircraft/livery_matcher.h"

#include <fmt/format.h>

#include <algorithm>
#include <optional>

#include "core/banner.h"
#include "core/log.h"
#include "core/parameters.h"
#include "core/random.h"

namespace tfx {
namespace {

constexpr std::string_view kPrivateAirline = "PVT";
constexpr std::string_view kPrivateLiveryAirline = "ZZZ";
constexpr int kSummaryWidth = 100;

bool deepSearchCategory(AircraftCategory category) {
  return category == AircraftCategory::Light || category == AircraftCategory::Buzjets ||
         category == AircraftCategory::Rotorcraft;
}

char stepMark(int step) { return static_cast<char>('0' + step); }

void logStep(const LiveryRequest& aircraft, char mark, std::string_view title) {
  if (LOG.value()) writeLog(fmt::format("          {} ={}= {}", aircraft.description, mark, title));
}

}  // namespace

std::string_view LiveryMatching::pickTitle(const TitleList& titles) const {
  if (titles.empty()) return {};
  const int size = static_cast<int>(titles.size());
  std::string_view chosen;
  for (int attempt = 0; attempt < 5; ++attempt) {
    chosen = titles[static_cast<size_t>(randomIndex(size))];
    if (!tables_.isSpecialTitle(chosen)) return chosen;
  }
  // Counted and indexed in place: the common path stays free of allocation.
  const auto ordinary = [this](std::string_view title) { return !tables_.isSpecialTitle(title); };
  const auto ordinaryCount = static_cast<int>(std::count_if(titles.begin(), titles.end(), ordinary));
  if (ordinaryCount == 0) return chosen;
  int wanted = randomIndex(ordinaryCount);
  for (std::string_view title : titles) {
    if (ordinary(title) && wanted-- == 0) return title;
  }
  return chosen;
}

bool LiveryMatching::airlineType(std::string_view airline, std::string_view type, size_t table,
                                LiveryMatch& match) const {
  const TitleList* titles = tables_.airlineTypeTitles(table, airline, type);
  if (titles == nullptr || titles->empty()) return false;
  match.title = pickTitle(*titles);
  match.candidates = titles->size();
  return true;
}

bool LiveryMatching::airlineTypeWithCargoFallBack(std::string_view airline, std::string_view type, bool cargo,
                                                 LiveryMatch& match) const {
  if (airlineType(airline, type, cargo ? kCargo : kPassenger, match)) return true;
  return cargo && airlineType(airline, type, kPassenger, match);
}

bool LiveryMatching::typeLiveries(std::string_view type, bool cargo, LiveryMatch& match) const {
  const TitleList* titles = tables_.typeTitles(cargo ? kCargo : kPassenger, type);
  if (titles == nullptr || titles->empty()) return false;
  match.title = pickTitle(*titles);
  match.candidates = titles->size();
  return true;
}

bool LiveryMatching::similarTypeStep(const LiveryRequest& aircraft, std::string_view airline, bool forStatic,
                                    LiveryMatch& match) {
  std::vector<std::string>* similar = tables_.airlineSimilarTypes(airline, aircraft.type);
  if (similar == nullptr) return false;
  shuffleIfRandom(*similar);
  for (const std::string& type : *similar) {
    if (!forStatic && database_.acCategory(type) != aircraft.category) continue;
    if (airlineTypeWithCargoFallBack(airline, type, aircraft.cargo, match)) return true;
  }
  return false;
}

bool LiveryMatching::deepSearch(const LiveryRequest& aircraft, int depth, LiveryMatch& match) {
  if (depth == 4 && airlineTypeWithCargoFallBack(kPrivateLiveryAirline, aircraft.type, aircraft.cargo, match)) {
    match.step = 4;
    return true;
  }
  if (!deepSearchCategory(aircraft.category)) return false;
  if (depth >= 3 && aircraft.airline != kPrivateAirline &&
      airlineTypeWithCargoFallBack(kPrivateLiveryAirline, aircraft.type, aircraft.cargo, match)) {
    match.step = 4;
    return true;
  }
  if (typeLiveries(aircraft.type, aircraft.cargo, match)) {
    match.step = 5;
    return true;
  }
  std::vector<std::string>* similar = tables_.similarTypes(aircraft.type);
  if (similar != nullptr) {
    shuffleIfRandom(*similar);
    for (const std::string& type : *similar) {
      if (typeLiveries(type, aircraft.cargo, match)) {
        match.step = 6;
        return true;
      }
    }
    return false;
  }
  const std::vector<std::string>& categoryTypes = tables_.categoryTypes(aircraft.category);
  if (categoryTypes.empty()) return false;
  const std::string& type = categoryTypes[static_cast<size_t>(randomIndex(static_cast<int>(categoryTypes.size())))];
  if (!typeLiveries(type, aircraft.cargo, match)) return false;
  match.step = 6;
  return true;
}

// Steps 1 to 6. For a static aircraft the similar types of step 3 are tried
// whatever their category.
LiveryMatch LiveryMatching::search(const LiveryRequest& aircraft, bool forStatic) {
  LiveryMatch match;
  const int depth = MATCHING_DEPTH.value();
  if (!aircraft.registration.empty()) {
    if (std::string_view title = tables_.specialLivery(aircraft.registration); !title.empty()) {
      match.title = title;
      match.candidates = 1;
      match.step = 1;
      return match;
    }
  }
  if (depth < 2) return match;
  if (aircraft.airline == kPrivateAirline) {
    if (airlineTypeWithCargoFallBack(kPrivateLiveryAirline, aircraft.type, aircraft.cargo, match)) match.step = 4;
    return match;
  }
  // Looked up only when the airline alone does not decide.
  std::optional<std::optional<RegcodeRecord>> record;
  const auto recordAirline = [&]() -> std::string {
    if (!record) record = database_.findRegcode(aircraft.registration);
    return *record && !(*record)->operatorName.empty() ? (*record)->airline : std::string();
  };
  if (!aircraft.airline.empty()) {
    if (airlineTypeWithCargoFallBack(aircraft.airline, aircraft.type, aircraft.cargo, match)) {
      match.step = 2;
      return match;
    }
    if (const std::string other = recordAirline();
        !other.empty() && airlineTypeWithCargoFallBack(other, aircraft.type, aircraft.cargo, match)) {
      match.step = 2;
      return match;
    }
  }
  if (depth < 3) return match;
  if (!aircraft.airline.empty()) {
    if (similarTypeStep(aircraft, aircraft.airline, forStatic, match)) {
      match.step = 3;
      return match;
    }
    if (const std::string other = recordAirline(); !other.empty() && similarTypeStep(aircraft, other, forStatic, match)) {
      match.step = 3;
      return match;
    }
  }
  if (!deepSearch(aircraft, depth, match)) match = LiveryMatch{};
  return match;
}

LiveryMatch LiveryMatching::findLiveryLiveAc(const LiveryRequest& aircraft) {
  LiveryMatch match = search(aircraft, false);
  if (match.step > 0) count(aircraft, match);
  return match;
}

void LiveryMatching::count(const LiveryRequest& aircraft, LiveryMatch& match) {
  if (failedTitle(match.title)) return;
  ++stepCounts_[static_cast<size_t>(match.step - 1)];
  match.counted = true;
  logStep(aircraft, stepMark(match.step), match.title);
  match.fsltl = match.title.find("FSLTL_") != std::string_view::npos;
}

LiveryMatch LiveryMatching::findLiveryStaticAc(const LiveryRequest& aircraft, std::string_view givenTitle) {
  if (!givenTitle.empty()) {
    logStep(aircraft, 's', givenTitle);
    return LiveryMatch{givenTitle, 0, 1, false, false};
  }
  LiveryMatch match = search(aircraft, true);
  if (match.step > 0 && failedTitle(match.title)) return LiveryMatch{};
  if (match.step > 0) {
    logStep(aircraft, stepMark(match.step), match.title);
  } else if (LOG.value()) {
    writeLog(fmt::format("{:8}: {} no livery match ...", aircraft.name, aircraft.description));
  }
  return match;
}

void LiveryMatching::addFailedTitle(std::string_view title) {
  std::lock_guard guard(failedLock_);
  if (std::find(failedTitles_.begin(), failedTitles_.end(), title) == failedTitles_.end()) {
    failedTitles_.emplace_back(title);
  }
}

bool LiveryMatching::failedTitle(std::string_view title) const {
  std::lock_guard guard(failedLock_);
  return std::find(failedTitles_.begin(), failedTitles_.end(), title) != failedTitles_.end();
}

std::vector<std::string> LiveryMatching::failedTitles() const {
  std::lock_guard guard(failedLock_);
  return failedTitles_;
}

std::vector<std::string> LiveryMatching::summaryLines() const {
  std::vector<std::string> lines{makeBanner(kSummaryWidth, 0, true, false, "live traffic livery matching summary"),
                                 "Matches at step: "};
  for (int step = 1; step <= kMatchingSteps; ++step) {
    lines.push_back(fmt::format("  {}: {}", step, stepCounts_[static_cast<size_t>(step - 1)]));
  }
  const std::vector<std::string> failed = failedTitles();
  if (!failed.empty()) {
    lines.push_back(fmt::format("\nCould not be created by {}:", "P3D"));
    lines.insert(lines.end(), failed.begin(), failed.end());
  }
  lines.push_back(makeBanner(kSummaryWidth, 0, false, true, ""));
  return lines;
}

void LiveryMatching::writeSummary() const {
  for (const std::string& line : summaryLines()) writeLog(line);
}

}  // namespace tfx
