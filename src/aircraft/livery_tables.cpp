#include "aircraft/livery_tables.h"

#include <algorithm>
#include <utility>

namespace tfx {
namespace {

template <typename Map>
auto* findIn(Map& map, std::string_view key) {
  auto found = map.find(key);
  return found == map.end() ? nullptr : &found->second;
}

bool keepsTypesOf(AircraftCategory category) {
  return category == AircraftCategory::Light || category == AircraftCategory::Buzjets ||
         category == AircraftCategory::Rotorcraft;
}

}  // namespace

void LiveryTables::build(const LiveryList& liveries, const AircraftDatabase& database) {
  *this = LiveryTables{};
  titles_.reserve(liveries.size());
  titleIndex_.reserve(liveries.size());
  // In scan order, so every title list keeps the order of the scan.
  for (const LiveryData& livery : liveries) {
    if (titleIndex_.contains(livery.title)) continue;
    const std::string_view title = titles_.emplace_back(livery.title);
    titleIndex_.insert(title);
    const size_t table = livery.cargo ? kCargo : kPassenger;
    airlineTypeLiveries_[table][livery.airline][livery.type].push_back(title);
    typeLiveries_[table][livery.type].push_back(title);
    ++categoryLiveries_[static_cast<size_t>(database.acCategory(livery.type))][table];
  }
  CodeMap<bool> airlines;
  for (const auto& table : airlineTypeLiveries_) {
    for (const auto& entry : table) airlines.try_emplace(entry.first, true);
  }
  airlineCount_ = airlines.size();
  for (const auto& table : typeLiveries_) {
    for (const auto& entry : table) {
      const AircraftCategory category = database.acCategory(entry.first);
      if (keepsTypesOf(category)) categoryTypes_[static_cast<size_t>(category)].push_back(entry.first);
    }
  }
  for (auto& types : categoryTypes_) {
    std::sort(types.begin(), types.end());
    types.erase(std::unique(types.begin(), types.end()), types.end());
  }
  buildSimilarTypes(database, airlines);
}

void LiveryTables::buildSimilarTypes(const AircraftDatabase& database, const CodeMap<bool>& airlines) {
  const auto hasLiveries = [this](std::string_view type) {
    return typeLiveries_[kPassenger].contains(type) || typeLiveries_[kCargo].contains(type);
  };
  // A type in more than one group keeps the list of its first group.
  for (const std::vector<std::string>& group : database.similarTypes()) {
    for (const std::string& type : group) {
      std::vector<std::string> others;
      for (const std::string& other : group) {
        if (other != type && hasLiveries(other)) others.push_back(other);
      }
      if (!others.empty()) similarTypes_.try_emplace(type, std::move(others));
    }
  }
  for (const auto& [airline, unused] : airlines) {
    for (const auto& [type, similar] : similarTypes_) {
      if (airlineHasType(airline, type)) continue;
      std::vector<std::string> owned;
      for (const std::string& other : similar) {
        if (airlineHasType(airline, other)) owned.push_back(other);
      }
      if (!owned.empty()) airlineSimilarTypes_[airline].try_emplace(type, std::move(owned));
    }
  }
}

bool LiveryTables::airlineHasType(std::string_view airline, std::string_view type) const {
  return airlineTypeTitles(kPassenger, airline, type) != nullptr || airlineTypeTitles(kCargo, airline, type) != nullptr;
}

std::string_view LiveryTables::storedTitle(std::string_view title) const {
  auto found = titleIndex_.find(title);
  return found == titleIndex_.end() ? std::string_view() : *found;
}

const TitleList* LiveryTables::airlineTypeTitles(size_t table, std::string_view airline, std::string_view type) const {
  const auto* types = findIn(airlineTypeLiveries_[table], airline);
  return types == nullptr ? nullptr : findIn(*types, type);
}

const TitleList* LiveryTables::typeTitles(size_t table, std::string_view type) const {
  return findIn(typeLiveries_[table], type);
}

std::vector<std::string>* LiveryTables::similarTypes(std::string_view type) { return findIn(similarTypes_, type); }

std::vector<std::string>* LiveryTables::airlineSimilarTypes(std::string_view airline, std::string_view type) {
  auto* types = findIn(airlineSimilarTypes_, airline);
  return types == nullptr ? nullptr : findIn(*types, type);
}

std::string_view LiveryTables::specialLivery(std::string_view registration) const {
  const auto* title = findIn(specialLiveries_, registration);
  return title == nullptr ? std::string_view() : *title;
}

std::string_view LiveryTables::setSpecialLivery(std::string_view registration, std::string_view title) {
  auto [entry, added] = specialLiveries_.try_emplace(std::string(registration), title);
  return added ? std::string_view() : std::exchange(entry->second, title);
}

void LiveryTables::addSpecialTitle(std::string_view title) {
  specialTitles_.push_back(title);
  specialTitleSet_.insert(title);
}

}  // namespace tfx
