#pragma once
// The look-up tables of livery matching, built once per program run from the
// scanned liveries. Every title is stored once; the tables refer to it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "aircraft/aircraft_category.h"
#include "aircraft/aircraft_database.h"
#include "aircraft/cfg_scan_context.h"
#include "aircraft/livery_data.h"

namespace tfx {

using TitleList = std::vector<std::string_view>;
template <typename Value>
using CodeMap = std::unordered_map<std::string, Value, TitleHash, std::equal_to<>>;

inline constexpr size_t kPassenger = 0;
inline constexpr size_t kCargo = 1;

class LiveryTables {
 public:
  // Replaces all tables by those of LIVERIES; registration codes start empty.
  void build(const LiveryList& liveries, const AircraftDatabase& database);

  // The stored title equal to TITLE; empty when no scanned livery has it.
  std::string_view storedTitle(std::string_view title) const;
  size_t liveryCount() const { return titles_.size(); }
  size_t airlineCount() const { return airlineCount_; }

  const TitleList* airlineTypeTitles(size_t table, std::string_view airline, std::string_view type) const;
  const TitleList* typeTitles(size_t table, std::string_view type) const;
  size_t typeCount(size_t table) const { return typeLiveries_[table].size(); }
  // The similar types with liveries; nullptr when the type has no group.
  std::vector<std::string>* similarTypes(std::string_view type);
  size_t similarTypeCount() const { return similarTypes_.size(); }
  // The similar types of TYPE of which AIRLINE has liveries, when it has none of TYPE.
  std::vector<std::string>* airlineSimilarTypes(std::string_view airline, std::string_view type);
  // Sorted types with liveries of Light, Buzjets or Rotorcraft; empty for the others.
  const std::vector<std::string>& categoryTypes(AircraftCategory category) const {
    return categoryTypes_[static_cast<size_t>(category)];
  }
  // Passenger and cargo liveries of the category's types.
  std::array<size_t, 2> categoryLiveries(AircraftCategory category) const {
    return categoryLiveries_[static_cast<size_t>(category)];
  }

  // Registration codes: registration to title, and the special titles.
  std::string_view specialLivery(std::string_view registration) const;
  // Ties REGISTRATION to TITLE (a stored title); returns the title it had before, if any.
  std::string_view setSpecialLivery(std::string_view registration, std::string_view title);
  bool isSpecialTitle(std::string_view title) const { return specialTitleSet_.contains(title); }
  void addSpecialTitle(std::string_view title);
  void addSpecialRegistration(std::string_view registration) { specialRegistrations_.emplace(registration); }
  const CodeMap<std::string_view>& specialLiveries() const { return specialLiveries_; }
  const TitleList& specialTitles() const { return specialTitles_; }
  const TitleSet& specialRegistrations() const { return specialRegistrations_; }

 private:
  void buildSimilarTypes(const AircraftDatabase& database, const CodeMap<bool>& airlines);
  bool airlineHasType(std::string_view airline, std::string_view type) const;

  // Reserved to the livery count before the first title goes in, so views stay valid.
  std::vector<std::string> titles_;
  std::unordered_set<std::string_view> titleIndex_;
  size_t airlineCount_ = 0;
  std::array<CodeMap<CodeMap<TitleList>>, 2> airlineTypeLiveries_;
  std::array<CodeMap<TitleList>, 2> typeLiveries_;
  CodeMap<std::vector<std::string>> similarTypes_;
  CodeMap<CodeMap<std::vector<std::string>>> airlineSimilarTypes_;
  std::array<std::vector<std::string>, kAircraftCategoryCount> categoryTypes_;
  std::array<std::array<size_t, 2>, kAircraftCategoryCount> categoryLiveries_{};
  CodeMap<std::string_view> specialLiveries_;
  TitleList specialTitles_;
  std::unordered_set<std::string_view> specialTitleSet_;
  TitleSet specialRegistrations_;
};

}  // namespace tfx
