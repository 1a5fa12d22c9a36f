#pragma once
// One installed AI livery as the scan found it and the catalogue keeps it.
#include <cstdint>
#include <string>
#include <vector>

namespace tfx {

struct LiveryData {
  std::string airline;  // ICAO airline code, ZZZ or PVT for private liveries
  std::string type;     // ICAO type designator after the model fixes
  std::string title;    // the simulator creates AI objects by this title
  std::string atcId;    // registration painted on the livery, may be empty
  int32_t folderIndex = 0;  // 1-based scan folder, capped at 10; 0 when read back
  bool cargo = false;

  bool operator==(const LiveryData&) const = default;
};

using LiveryList = std::vector<LiveryData>;

}  // namespace tfx
