#pragma once
// Turning an airport record's parking entries and helipads into stands.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "airports/stand.h"
#include "scan/bgl_records.h"
#include "scan/scan_log.h"

namespace tfx::scan {

enum class StandSkip { Radius, Position, Type, Double };

std::string_view standSkipName(StandSkip skip);

// What became of one parking entry or helipad.
struct EntryOutcome {
  std::string id;  // empty when skipped
  std::optional<StandSkip> skip;
};

struct AirportStands {
  std::vector<airports::Stand> stands;  // helipads first, then parking entries, as met
  std::vector<EntryOutcome> helipads;   // one per BglAirport::helipads entry
  std::vector<EntryOutcome> parkings;   // one per BglAirport::parkings entry
  int helipadCount = 0;
};

// The stand id prefix of a parking name code; undefined codes have none.
std::string_view parkingNamePrefix(int nameCode);

AirportStands airportStands(const BglAirport& airport, std::string_view bglPath, ScanLog& log);
// The same into `into`, replacing what it held but keeping its room: a scan
// worker decodes one airport after another.
void airportStands(const BglAirport& airport, std::string_view bglPath, ScanLog& log, AirportStands& into);

}  // namespace tfx::scan
