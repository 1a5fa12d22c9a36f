#pragma once
// Choosing the livery of an aircraft that is to appear in the simulator:
// its own registration's livery, then its airline's for its type, then for a
// similar type, then a private livery, then any of its type or a similar one.
#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "aircraft/aircraft_category.h"
#include "aircraft/aircraft_database.h"
#include "aircraft/livery_tables.h"

namespace tfx {

// What matching needs to know of an aircraft.
struct LiveryRequest {
  std::string_view airline;  // operator's ICAO code; PVT for a private aircraft; may be empty
  std::string_view type;
  std::string_view registration;
  AircraftCategory category = AircraftCategory::Large;
  bool cargo = false;
  std::string_view description;  // how log lines name the aircraft
  std::string_view name;         // a static aircraft's name in its no-match line
};

struct LiveryMatch {
  std::string_view title;  // a title of the tables; empty when nothing matched
  int step = 0;            // 1 to 6, 0 for none
  size_t candidates = 0;   // size of the list the title was chosen from
  bool counted = false;
  bool fsltl = false;  // a counted title of the FSLTL family
};

inline constexpr int kMatchingSteps = 6;

class LiveryMatching {
 public:
  LiveryMatching(LiveryTables& tables, const AircraftDatabase& database) : tables_(tables), database_(database) {}

  LiveryMatch findLiveryLiveAc(const LiveryRequest& aircraft);
  // A static aircraft that comes with a title keeps it. Counts nothing; a
  // title that could not be created before ends the search empty.
  LiveryMatch findLiveryStaticAc(const LiveryRequest& aircraft, std::string_view givenTitle = {});

  // A choice among TITLES; prefers titles not reserved for special
  // registrations. Empty for an empty list.
  std::string_view pickTitle(const TitleList& titles) const;

  // Titles the simulator could not create; called by the AI object code.
  void addFailedTitle(std::string_view title);
  bool failedTitle(std::string_view title) const;
  std::vector<std::string> failedTitles() const;

  std::array<int64_t, kMatchingSteps> stepCounts() const { return stepCounts_; }
  // The block logged at the end of a session.
  std::vector<std::string> summaryLines() const;
  void writeSummary() const;

 private:
  bool airlineType(std::string_view airline, std::string_view type, size_t table, LiveryMatch& match) const;
  bool airlineTypeWithCargoFallBack(std::string_view airline, std::string_view type, bool cargo,
                                    LiveryMatch& match) const;
  bool typeLiveries(std::string_view type, bool cargo, LiveryMatch& match) const;
  LiveryMatch search(const LiveryRequest& aircraft, bool forStatic);
  bool similarTypeStep(const LiveryRequest& aircraft, std::string_view airline, bool forStatic, LiveryMatch& match);
  bool deepSearch(const LiveryRequest& aircraft, int depth, LiveryMatch& match);
  void count(const LiveryRequest& aircraft, LiveryMatch& match);

  LiveryTables& tables_;
  const AircraftDatabase& database_;
  std::array<int64_t, kMatchingSteps> stepCounts_{};
  mutable std::mutex failedLock_;
  std::vector<std::string> failedTitles_;
};

}  // namespace tfx
